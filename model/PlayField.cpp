#include "PlayField.h"

#include "data/Random.h"

#include <algorithm>
#include <utility>

namespace cubrava {

namespace {

// Block b of a piece at p, in ints: sums of two signed bytes may leave the byte range.
struct Spot {
    int x, y, z;
};

Spot at(CellPos p, const Block& b)
{
    return {p.x + b.x, p.y + b.y, p.z + b.z};
}

enum class Axis { X, Y, Z };

// Writes the quarter turn of src into dst, reusing dst's storage.
void rotateInto(const PieceDef& src, PieceDef& dst, Axis axis)
{
    dst.blocks.resize(src.blocks.size());
    for (std::size_t i = 0; i < src.blocks.size(); ++i) {
        const Block& b = src.blocks[i];
        Block& r = dst.blocks[i];
        r.material = b.material;
        switch (axis) {
        case Axis::X:
            r.x = b.x;
            r.y = static_cast<std::int8_t>(src.ez - 1 - b.z);
            r.z = b.y;
            break;
        case Axis::Y:
            r.x = b.z;
            r.y = b.y;
            r.z = static_cast<std::int8_t>(src.ex - 1 - b.x);
            break;
        case Axis::Z:
            r.x = static_cast<std::int8_t>(src.ey - 1 - b.y);
            r.y = b.x;
            r.z = b.z;
            break;
        }
    }
    dst.orientation = axis == Axis::X ? turnX(src.orientation)
                    : axis == Axis::Y ? turnY(src.orientation)
                                      : turnZ(src.orientation);
    dst.computeExtent();
}

std::int8_t clampToByte(int value)
{
    return static_cast<std::int8_t>(std::clamp(value, -128, 127));
}

} // namespace

PieceDef rotatedX(const PieceDef& piece)
{
    PieceDef turned;
    rotateInto(piece, turned, Axis::X);
    return turned;
}

PieceDef rotatedY(const PieceDef& piece)
{
    PieceDef turned;
    rotateInto(piece, turned, Axis::Y);
    return turned;
}

PieceDef rotatedZ(const PieceDef& piece)
{
    PieceDef turned;
    rotateInto(piece, turned, Axis::Z);
    return turned;
}

PlayField::PlayField(const LevelDef& level, bool ownsMaterials)
    : ownsMaterials_(ownsMaterials),
      // A pit without cells blocks everything rather than indexing nothing.
      width_(std::max<std::int8_t>(level.x, 0)),
      depth_(std::max<std::int8_t>(level.y, 0)),
      gridHeight_(std::max<std::int8_t>(static_cast<std::int8_t>(level.z + HEADROOM), 0)),
      pieces_(&pieceSet())
{
    const std::size_t cellCount = static_cast<std::size_t>(width_) * depth_ * gridHeight_;
    cells_.assign(cellCount, Cell{});
    if (ownsMaterials_)
        ownedMaterials_.resize(cellCount);
    layerCount_.assign(static_cast<std::size_t>(gridHeight_), 0);

    // Blocks outside the grid or on a filled cell are skipped.
    for (const Block& b : level.blocks())
        putCell(CellPos{b.x, b.y, b.z}, *b.material, 0);

    if (!pieces_->empty()) {
        chooseNext();
        notify(PlayEvent::NextPieceChosen);
    }
}

PlayField::~PlayField() = default;

int PlayField::occupiedAt(int x, int y, int z) const
{
    if (x < 0 || y < 0 || z < 0 || x >= width_ || y >= depth_ || z >= gridHeight_)
        return 2;
    return cells_[indexOf(x, y, z)].material ? 1 : 0;
}

const Cell* PlayField::cellAt(CellPos pos) const
{
    if (occupiedAt(pos.x, pos.y, pos.z) == 2)
        return nullptr;
    return &cells_[indexOf(pos.x, pos.y, pos.z)];
}

bool PlayField::putCell(CellPos pos, Material& material, Orientation orientation)
{
    if (occupiedAt(pos.x, pos.y, pos.z) != 0)
        return false;
    const std::size_t index = indexOf(pos.x, pos.y, pos.z);
    Cell& cell = cells_[index];
    if (ownsMaterials_) {
        ownedMaterials_[index] = std::make_unique<Material>(material);
        cell.material = ownedMaterials_[index].get();
    } else {
        cell.material = &material;
    }
    cell.orientation = orientation;
    ++layerCount_[static_cast<std::size_t>(pos.z)];
    if (pos.z >= stackHeight_)
        stackHeight_ = static_cast<std::int16_t>(pos.z + 1);
    tellObservers();
    return true;
}

bool PlayField::clearCell(CellPos pos)
{
    if (occupiedAt(pos.x, pos.y, pos.z) != 1)
        return false;
    const std::size_t index = indexOf(pos.x, pos.y, pos.z);
    cells_[index] = Cell{};
    if (ownsMaterials_)
        ownedMaterials_[index].reset();
    const std::size_t z = static_cast<std::size_t>(pos.z);
    if (--layerCount_[z] == 0 && pos.z == stackHeight_ - 1) {
        int below = pos.z - 1;
        while (below >= 0 && layerCount_[static_cast<std::size_t>(below)] == 0)
            --below;
        stackHeight_ = static_cast<std::int16_t>(below + 1);
    }
    tellObservers();
    return true;
}

void PlayField::addCellObserver(CellObserver& observer)
{
    if (std::find(cellObservers_.begin(), cellObservers_.end(), &observer) == cellObservers_.end())
        cellObservers_.push_back(&observer);
}

void PlayField::addListener(PlayListener& listener)
{
    if (std::find(listeners_.begin(), listeners_.end(), &listener) == listeners_.end())
        listeners_.push_back(&listener);
}

void PlayField::notify(PlayEvent event, std::int32_t arg)
{
    // By index: a listener may register another while being told.
    for (std::size_t i = 0; i < listeners_.size(); ++i)
        listeners_[i]->onPlayEvent(*this, event, arg);
}

void PlayField::tellObservers()
{
    for (std::size_t i = 0; i < cellObservers_.size(); ++i)
        cellObservers_[i]->cellsChanged();
}

const PieceDef* PlayField::activePiece() const
{
    return pieceActive_ && running_ ? &current_ : nullptr;
}

const PieceDef* PlayField::nextPiece() const
{
    return running_ ? &next_ : nullptr;
}

std::int32_t PlayField::dropDistanceOf(const PieceDef& piece, CellPos p) const
{
    for (const Block& b : piece.blocks) {
        Spot s = at(p, b);
        if (occupiedAt(s.x, s.y, s.z) != 0)
            return -1;
    }
    std::int32_t best = gridHeight_;
    for (const Block& b : piece.blocks) {
        Spot s = at(p, b);
        if (occupiedAt(s.x, s.y, s.z - 1) != 0)
            return 0;
        std::int32_t count = 1;
        while (count < best && occupiedAt(s.x, s.y, s.z - 1 - count) == 0)
            ++count;
        best = std::min(best, count);
    }
    return best;
}

void PlayField::chooseNext()
{
    next_ = (*pieces_)[static_cast<unsigned>(rand()) % pieces_->size()];
}

void PlayField::spawn()
{
    current_ = next_;
    if (!pieces_->empty()) {
        chooseNext();
        notify(PlayEvent::NextPieceChosen);
    }
    // Centred, rounding towards the origin; the top layer four above the rim.
    position_.x = clampToByte(static_cast<int>(width_ * 0.5f - current_.ex * 0.5f));
    position_.y = clampToByte(static_cast<int>(depth_ * 0.5f - current_.ey * 0.5f));
    position_.z = clampToByte(gridHeight_ - current_.ez - 4);
    dropDistance_ = dropDistanceOf(current_, position_);
    if (dropDistance_ < 0) {
        running_ = false;
        notify(PlayEvent::GameOver);
    }
    pieceActive_ = true;
    notify(PlayEvent::PieceSpawned);
}

void PlayField::move(int kind)
{
    if (kind < 0 || kind > static_cast<int>(MoveKind::RotateZ))
        return;
    move(static_cast<MoveKind>(kind));
}

void PlayField::move(MoveKind kind)
{
    if (!running_ || !pieceActive_)
        return;

    CellPos target = position_;
    std::int32_t distance = -1;
    bool turned = false;
    switch (kind) {
    case MoveKind::StepDown:
        target.z = clampToByte(target.z - 1);
        distance = dropDistance_ - 1;
        break;
    case MoveKind::DropToFloor:
        target.z = clampToByte(target.z - dropDistance_);
        distance = dropDistance_ - 1 < 0 ? -1 : 0;
        break;
    case MoveKind::XPlus:
    case MoveKind::XMinus:
    case MoveKind::YPlus:
    case MoveKind::YMinus: {
        int x = target.x, y = target.y;
        x += kind == MoveKind::XPlus ? 1 : kind == MoveKind::XMinus ? -1 : 0;
        y += kind == MoveKind::YPlus ? 1 : kind == MoveKind::YMinus ? -1 : 0;
        if (x < -128 || x > 127 || y < -128 || y > 127)
            return;
        target.x = static_cast<std::int8_t>(x);
        target.y = static_cast<std::int8_t>(y);
        distance = dropDistanceOf(current_, target);
        break;
    }
    case MoveKind::RotateX:
    case MoveKind::RotateY:
    case MoveKind::RotateZ:
        rotateInto(current_, candidate_,
                   kind == MoveKind::RotateX ? Axis::X : kind == MoveKind::RotateY ? Axis::Y : Axis::Z);
        distance = dropDistanceOf(candidate_, target);
        turned = true;
        break;
    default:
        return;
    }

    if (distance >= 0) {
        position_ = target;
        if (turned)
            std::swap(current_, candidate_);
        dropDistance_ = distance;
        notify(turned ? PlayEvent::PieceRotated : PlayEvent::PieceMoved);
        return;
    }
    // Refused outright: no wall kick, no second position.
    if (kind == MoveKind::StepDown || kind == MoveKind::DropToFloor)
        land();
}

bool PlayField::stampPiece()
{
    for (std::size_t i = 0; i < current_.blocks.size(); ++i) {
        const Block& b = current_.blocks[i];
        Spot s = at(position_, b);
        if (occupiedAt(s.x, s.y, s.z) != 0 ||
            !putCell(CellPos{static_cast<std::int8_t>(s.x), static_cast<std::int8_t>(s.y),
                             static_cast<std::int8_t>(s.z)},
                     *b.material, current_.orientation)) {
            while (i-- > 0) {
                Spot placed = at(position_, current_.blocks[i]);
                clearCell(CellPos{static_cast<std::int8_t>(placed.x), static_cast<std::int8_t>(placed.y),
                                  static_cast<std::int8_t>(placed.z)});
            }
            return false;
        }
    }
    return true;
}

void PlayField::land()
{
    stampPiece();
    pieceActive_ = false;
    notify(PlayEvent::PieceLanded);
    scanFullLayers();
    if (stackHeight_ > pitHeight()) {
        running_ = false;
        notify(PlayEvent::GameOver);
        return;
    }
    pending_.push_back(PlayAction{PlayAction::FinishTurn, 0, 0});
    pending_.push_back(PlayAction{PlayAction::SpawnPiece, 0, 0});
}

void PlayField::scanFullLayers()
{
    const int full = width_ * depth_;
    int i = 0, j = 0;
    while (j < stackHeight_) {
        while (j < stackHeight_ && layerCount_[static_cast<std::size_t>(j)] == full) {
            pending_.push_back(PlayAction{PlayAction::ClearLayer, static_cast<std::int8_t>(j), 0});
            ++j;
        }
        if (j == stackHeight_)
            break;
        if (j != i)
            pending_.push_back(PlayAction{PlayAction::MoveLayer, static_cast<std::int8_t>(j), static_cast<std::int8_t>(i)});
        ++i;
        ++j;
    }
    // The layers that will remain, though the cells change only as the actions run.
    stackHeight_ = static_cast<std::int16_t>(i);
}

void PlayField::clearLayer(int layer)
{
    const std::size_t size = static_cast<std::size_t>(width_) * depth_;
    const std::size_t first = static_cast<std::size_t>(layer) * size;
    std::fill(cells_.begin() + first, cells_.begin() + first + size, Cell{});
    if (ownsMaterials_) {
        for (std::size_t k = first; k < first + size; ++k)
            ownedMaterials_[k].reset();
    }
    layerCount_[static_cast<std::size_t>(layer)] = 0;
}

void PlayField::moveLayer(int from, int to)
{
    const std::size_t size = static_cast<std::size_t>(width_) * depth_;
    const std::size_t source = static_cast<std::size_t>(from) * size;
    const std::size_t target = static_cast<std::size_t>(to) * size;
    std::copy(cells_.begin() + source, cells_.begin() + source + size, cells_.begin() + target);
    std::fill(cells_.begin() + source, cells_.begin() + source + size, Cell{});
    if (ownsMaterials_) {
        for (std::size_t k = 0; k < size; ++k)
            ownedMaterials_[target + k] = std::move(ownedMaterials_[source + k]);
    }
    layerCount_[static_cast<std::size_t>(to)] = layerCount_[static_cast<std::size_t>(from)];
    layerCount_[static_cast<std::size_t>(from)] = 0;
}

void PlayField::start()
{
    pending_.push_back(PlayAction{PlayAction::SpawnPiece, 0, 0});
    running_ = true;
    notify(PlayEvent::Started);
}

void PlayField::stop()
{
    running_ = false;
    notify(PlayEvent::Stopped);
}

void PlayField::advance()
{
    if (pending_.empty())
        return;
    const PlayAction action = pending_.front();
    pending_.pop_front();
    switch (action.kind) {
    case PlayAction::ClearLayer:
        notify(PlayEvent::LayerClearing, action.a);
        clearLayer(action.a);
        notify(PlayEvent::LayerCleared, action.a);
        tellObservers();
        break;
    case PlayAction::MoveLayer:
        moveLayer(action.a, action.b);
        notify(PlayEvent::LayerDropped, action.b);
        tellObservers();
        break;
    case PlayAction::SpawnPiece:
        spawn();
        break;
    case PlayAction::FinishTurn:
        notify(PlayEvent::TurnFinished);
        break;
    default:
        break;
    }
}

} // namespace cubrava
