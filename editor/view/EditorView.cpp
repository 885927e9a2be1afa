#include "EditorView.h"

#include "PickNames.h"
#include "ViewWindowService.h"
#include "editor/dialog/ViewListener.h"
#include "render/RedisplayRequest.h"

#include <algorithm>
#include <optional>
#include <utility>

namespace cubrava {

// What listeners are to hear once the view lock is released.
struct EditorView::Reports {
    bool selectionChanged = false;
    bool noSelection = true;
    bool anyOccupied = false;
    bool blockPicked = false;
    std::optional<Material> picked;
    std::optional<HistoryStep> history;
};

namespace {

CellPos cellPos(int x, int y, int z)
{
    return CellPos { static_cast<std::int8_t>(x), static_cast<std::int8_t>(y), static_cast<std::int8_t>(z) };
}

Material ghostMaterial()
{
    Material ghost;
    ghost.red = ghost.green = ghost.blue = 128.0f / 255.0f;
    return ghost;
}

} // namespace

EditorView::EditorView(ViewWindowService& window, TimerService& timers, RedisplayRequest& redisplay, CellPicker& picker)
    : window_(window)
    , redisplay_(redisplay)
    , picker_(picker)
    , camera_(window, timers)
    , ghost_(ghostMaterial())
{
}

EditorView::~EditorView() = default;

void EditorView::setLevel(const LevelDef& level)
{
    // Built before the lock is taken: the view thread draws the old pit meanwhile.
    auto fresh = std::make_unique<Pit>(level, CellMaterials::Copied);
    Reports reports;
    {
        std::lock_guard<std::recursive_mutex> lock(mutex_);
        showPit(std::move(fresh), true, reports);
    }
    redisplay_.request();
    deliver(reports);
}

void EditorView::replaceCubes(const LevelDef& level)
{
    auto fresh = std::make_unique<Pit>(level, CellMaterials::Copied);
    Reports reports;
    {
        std::lock_guard<std::recursive_mutex> lock(mutex_);
        const bool sameSize = pit_ && pit_->width() == fresh->width() && pit_->depth() == fresh->depth()
            && pit_->gridHeight() == fresh->gridHeight();
        showPit(std::move(fresh), !sameSize, reports);
    }
    redisplay_.request();
    deliver(reports);
}

void EditorView::showPit(std::unique_ptr<Pit> fresh, bool startOver, Reports& reports)
{
    fresh->addCellObserver(*this);
    // The old pit goes once the lock is released: the caller's.
    pit_.swap(fresh);
    ++cells_;
    if (startOver) {
        camera_.setPit(pit_->width(), pit_->depth(), pit_->pitHeight());
        selection_.clear();
        layer_ = 0;
        // A name of the old layout may stand for another cell, or none, in this one.
        hovered_ = -1;
    }
    noteSelection(reports);
}

void EditorView::addBlocks(const Material& brush)
{
    Reports reports;
    {
        std::lock_guard<std::recursive_mutex> lock(mutex_);
        if (!pit_ || selection_.empty())
            return;
        // putCell keeps a copy of its own, so no cube shares the brush or another cube's material.
        Material copy = brush;
        selection_.anyCell([&](int x, int y) {
            const CellPos at = cellPos(x, y, layer_);
            pit_->clearCell(at);
            pit_->putCell(at, copy, 0);
            return false;
        });
        redisplay_.request();
        noteSelection(reports);
    }
    deliver(reports);
}

void EditorView::removeBlocks()
{
    Reports reports;
    {
        std::lock_guard<std::recursive_mutex> lock(mutex_);
        if (!pit_ || selection_.empty())
            return;
        selection_.anyCell([&](int x, int y) {
            pit_->clearCell(cellPos(x, y, layer_));
            return false;
        });
        noteSelection(reports);
    }
    redisplay_.request();
    deliver(reports);
}

void EditorView::exportBlocks(LevelDef& level)
{
    // The view thread binds textures into the pit's materials as it draws
    // them, so even reading them takes the lock.
    std::lock_guard<std::recursive_mutex> lock(mutex_);
    level.clearBlocks();
    if (!pit_)
        return;
    const Pit& pit = *pit_;
    for (int x = 0; x < pit.width(); ++x)
        for (int y = 0; y < pit.depth(); ++y)
            for (int z = 0; z < pit.gridHeight(); ++z) {
                const Cell* cell = pit.cellAt(cellPos(x, y, z));
                if (cell && cell->material)
                    level.addBlock(static_cast<std::int8_t>(x), static_cast<std::int8_t>(y),
                        static_cast<std::int8_t>(z), *cell->material);
            }
}

void EditorView::addListener(ViewListener& listener)
{
    std::lock_guard<std::mutex> lock(listenersMutex_);
    if (std::find(listeners_.begin(), listeners_.end(), &listener) == listeners_.end())
        listeners_.push_back(&listener);
}

void EditorView::cellsChanged()
{
    // Cells change only on the dialog's thread, under the view lock; the
    // view thread rebuilds what it draws them from at its next display.
    {
        std::lock_guard<std::recursive_mutex> lock(mutex_);
        ++cells_;
    }
    redisplay_.request();
}

void EditorView::reshape(int width, int height)
{
    std::lock_guard<std::recursive_mutex> lock(mutex_);
    viewport_ = ViewRect { 0, 0, width, height };
}

void EditorView::keyDown(unsigned char key, Modifiers held)
{
    // With Ctrl held a letter arrives as its control code, 1 for A to 26 for Z.
    if (key >= 1 && key <= 26) {
        if (const auto step = historyStepForKey(static_cast<char>('a' + key - 1), true, held.shift)) {
            Reports reports;
            reports.history = step;
            deliver(reports);
        }
        return;
    }
    if (key == '`' || key == '~')
        toggleMode();
    // The toggle key too goes on to the mode it leaves the view in.
    if (!editMode_) {
        camera_.keyDown(key);
        return;
    }
    if (key == '2')
        stepLayer(-1);
    else if (key == '8')
        stepLayer(1);
}

void EditorView::keyUp(unsigned char key)
{
    camera_.keyUp(key);
}

void EditorView::specialKey(SpecialKey key)
{
    if (key == SpecialKey::F5)
        keyDown('`');
    else if (const auto digit = keypadDigit(key))
        keyDown(*digit);
}

void EditorView::toggleMode()
{
    editMode_ = !editMode_;
    if (editMode_) {
        camera_.clearMotion();
        window_.setPointerVisible(true);
    } else {
        window_.setPointerVisible(false);
        camera_.warpToCentre();
    }
    window_.postRedisplay();
}

void EditorView::stepLayer(int step)
{
    Reports reports;
    {
        std::lock_guard<std::recursive_mutex> lock(mutex_);
        if (!pit_)
            return;
        const int layer = layer_ + step;
        if (layer < 0 || layer >= pit_->pitHeight())
            return;
        hovered_ = -1;
        layer_ = layer;
        noteSelection(reports);
    }
    window_.postRedisplay();
    deliver(reports);
}

void EditorView::mouseButton(MouseButton button, ButtonState state, int x, int y)
{
    if (!editMode_) {
        camera_.mouseButton(button, state);
        return;
    }
    if (state == ButtonState::Down && (button == MouseButton::WheelUp || button == MouseButton::WheelDown)) {
        stepLayer(button == MouseButton::WheelUp ? 1 : -1);
        return;
    }
    Reports reports;
    {
        std::lock_guard<std::recursive_mutex> lock(mutex_);
        pickAt(x, y);
        const bool left = button == MouseButton::Left, right = button == MouseButton::Right;
        const bool down = state == ButtonState::Down, up = state == ButtonState::Up;
        if (pit_ && left && down) {
            if (hovered_ == -1) {
                selection_.clear();
                noteSelection(reports);
            } else {
                const LayerCell cell = cellOfPickName(hovered_, pit_->depth());
                // Pressing again on the one selected cell keeps it as it is.
                if (!selection_.isSingleCell(cell.x, cell.y))
                    selection_.anchor(cell.x, cell.y);
            }
        } else if (pit_ && left && up) {
            noteSelection(reports);
        } else if (pit_ && right && up && hovered_ != -1) {
            const LayerCell cell = cellOfPickName(hovered_, pit_->depth());
            const Cell* picked = pit_->cellAt(cellPos(cell.x, cell.y, layer_));
            reports.blockPicked = true;
            if (picked && picked->material)
                reports.picked = *picked->material;
        }
    }
    deliver(reports);
    window_.postRedisplay();
}

void EditorView::mouseDrag(int x, int y)
{
    if (!editMode_) {
        camera_.mouseMotion(x, y);
        return;
    }
    std::lock_guard<std::recursive_mutex> lock(mutex_);
    pickAt(x, y);
    if (!pit_ || hovered_ == -1)
        return;
    // Reported at the release, not at every step.
    const LayerCell cell = cellOfPickName(hovered_, pit_->depth());
    if (selection_.x2 != cell.x || selection_.y2 != cell.y) {
        selection_.extendTo(cell.x, cell.y);
        window_.postRedisplay();
    }
}

void EditorView::mouseHover(int x, int y)
{
    if (!editMode_) {
        camera_.mouseMotion(x, y);
        return;
    }
    std::lock_guard<std::recursive_mutex> lock(mutex_);
    pickAt(x, y);
}

void EditorView::pickAt(int x, int y)
{
    if (!pit_)
        return;
    int name = picker_.cellAt(PickScene { *pit_, layer_, camera_ }, x, y);
    if (name >= pit_->width() * pit_->depth())
        name = -1;
    if (name != hovered_) {
        hovered_ = name < 0 ? -1 : name;
        window_.postRedisplay();
    }
}

void EditorView::noteSelection(Reports& reports) const
{
    reports.selectionChanged = true;
    reports.noSelection = selection_.empty();
    reports.anyOccupied = pit_ && selection_.anyCell([&](int x, int y) {
        return pit_->occupancy(cellPos(x, y, layer_)) == Occupancy::Filled;
    });
}

void EditorView::deliver(const Reports& reports)
{
    if (!reports.selectionChanged && !reports.blockPicked && !reports.history)
        return;
    std::vector<ViewListener*> listeners;
    {
        std::lock_guard<std::mutex> lock(listenersMutex_);
        listeners = listeners_;
    }
    for (ViewListener* listener : listeners) {
        if (reports.selectionChanged)
            listener->selectionChanged(reports.noSelection, reports.anyOccupied);
        if (reports.blockPicked)
            listener->blockPicked(reports.picked);
        if (reports.history)
            listener->historyRequested(*reports.history);
    }
}

bool EditorView::hasLevel() const
{
    std::lock_guard<std::recursive_mutex> lock(mutex_);
    return pit_ != nullptr;
}

int EditorView::currentLayer() const
{
    std::lock_guard<std::recursive_mutex> lock(mutex_);
    return layer_;
}

int EditorView::hovered() const
{
    std::lock_guard<std::recursive_mutex> lock(mutex_);
    return hovered_;
}

Selection EditorView::selection() const
{
    std::lock_guard<std::recursive_mutex> lock(mutex_);
    return selection_;
}

ViewRect EditorView::viewport() const
{
    std::lock_guard<std::recursive_mutex> lock(mutex_);
    return viewport_;
}

} // namespace cubrava
