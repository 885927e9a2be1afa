#include "LevelEditorDialog.h"

#include "TextureEntries.h"
#include "data/FatalError.h"
#include "data/LevelWriter.h"

#include <algorithm>
#include <cstdlib>
#include <utility>

namespace cubrava {

namespace {

const char* const SaveQuestionCaption = "Yo!";
const char* const SaveQuestion = "Save changes to current level?";
const char* const LastLevelCaption = "Sorry";
const char* const LastLevelMessage = "You must have at least one level.";
const char* const SaveFailedCaption = "Uh oh ...";
const char* const RestartCaption = "CubravaEditor";
const char* const RestartMessage = "You must restart Cubrava for changes to take effect.";

constexpr int SlowestDrop = 2000;
constexpr int FastestDrop = 10;
constexpr int HighestGoal = 127;

// A number as an edit holds it: optional sign and leading digits, 0 for none.
long readNumber(const std::string& text)
{
    return std::strtol(text.c_str(), nullptr, 10);
}

int dropSliderPosition(int drop)
{
    // The left end is the slowest drop; values from a file outside the range
    // stand at the nearer end.
    return std::clamp(SlowestDrop + FastestDrop - drop, FastestDrop, SlowestDrop);
}

int channelByte(float value)
{
    return static_cast<int>(value * 255.0f);
}

constexpr ColourChannel Channels[] = { ColourChannel::Red, ColourChannel::Green, ColourChannel::Blue };

// Counts a question or a box that is open: while one waits for the designer,
// the operation that asked is half done, and undo must not change its ground.
class Asking {
public:
    explicit Asking(int& open)
        : open_(++open)
    {
    }
    ~Asking() { --open_; }
    Asking(const Asking&) = delete;
    Asking& operator=(const Asking&) = delete;

private:
    int& open_;
};

} // namespace

template <typename Change> void LevelEditorDialog::step(Change change)
{
    EditState before = capture();
    change();
    EditState after = capture(&before);
    if (!sameState(before, after))
        history_.record(std::move(before));
}

template <typename Question> auto LevelEditorDialog::ask(Question question)
{
    const Asking open(asking_);
    return question();
}

LevelEditorDialog::LevelEditorDialog(
    LevelList& levels, EditingView& view, DialogControls& controls, DialogServices services)
    : levels_(levels)
    , view_(view)
    , controls_(controls)
    , services_(std::move(services))
{
}

void LevelEditorDialog::open()
{
    if (levels_.empty())
        throw FatalError(LevelsErrorMessage);
    for (std::size_t i = 0; i < levels_.size(); ++i) {
        controls_.insertLevelLine(static_cast<int>(i), levels_[i].name);
        levelIds_.push_back(nextId_++);
    }
    textureEntries_ = textureBoxEntries(services_.texturesFolder);
    controls_.setTextureEntries(textureEntries_);
    for (ColourChannel c : Channels)
        controls_.showColourText(c, "0");
    // Until the view reports a selection there is nothing to add to.
    controls_.enable(DialogButton::AddBlocks, false);
    controls_.enable(DialogButton::RemoveBlocks, false);
    selectLevel(0);
    refreshBrush();
}

void LevelEditorDialog::selectLevel(int index)
{
    workingLevel_ = levels_.at(index);
    view_.setLevel(workingLevel_);
    controls_.selectLevelLine(index);
    currentIndex_ = index;
    showFields();
    showMoveButtons();
    modified_ = false;
    controls_.enable(DialogButton::Save, false);
}

void LevelEditorDialog::showMoveButtons()
{
    controls_.enable(DialogButton::MoveUp, currentIndex_ != 0);
    controls_.enable(DialogButton::MoveDown, currentIndex_ + 1 != static_cast<int>(levels_.size()));
}

void LevelEditorDialog::showFields()
{
    controls_.showDimensions(
        std::to_string(workingLevel_.x), std::to_string(workingLevel_.y), std::to_string(workingLevel_.z));
    controls_.showDrop(std::to_string(workingLevel_.drop));
    controls_.showName(workingLevel_.name);
    controls_.setDropSlider(dropSliderPosition(workingLevel_.drop));
    controls_.showGoal(std::to_string(workingLevel_.goal));
}

void LevelEditorDialog::markModified()
{
    modified_ = true;
    controls_.enable(DialogButton::Save, true);
}

void LevelEditorDialog::commitLevel()
{
    step([this] {
        view_.exportBlocks(workingLevel_);
        LevelDef& entry = levels_.at(currentIndex_);
        std::string previousName = entry.name;
        entry = workingLevel_;
        if (entry.name != previousName) {
            controls_.replaceLevelLine(currentIndex_, entry.name);
            controls_.selectLevelLine(currentIndex_);
        }
        modified_ = false;
        controls_.enable(DialogButton::Save, false);
    });
}

void LevelEditorDialog::levelLineChosen(int line)
{
    if (line < 0 || line == currentIndex_ || line >= static_cast<int>(levels_.size()))
        return;
    if (modified_) {
        MessageAnswer answer = ask([this] { return controls_.askYesNoCancel(SaveQuestionCaption, SaveQuestion); });
        if (answer == MessageAnswer::Cancel) {
            controls_.selectLevelLine(currentIndex_);
            return;
        }
        if (answer == MessageAnswer::Yes)
            commitLevel();
    }
    selectLevel(line);
}

void LevelEditorDialog::createLevel()
{
    std::optional<LevelDef> level = ask([this] { return controls_.askNewLevel(); });
    if (!level)
        return;
    step([&] {
        levels_.insert(levels_.begin() + currentIndex_, std::move(*level));
        levelIds_.insert(levelIds_.begin() + currentIndex_, nextId_++);
        controls_.insertLevelLine(currentIndex_, levels_[currentIndex_].name);
        selectLevel(currentIndex_);
    });
}

void LevelEditorDialog::removeLevel()
{
    if (levels_.size() == 1) {
        ask([this] { controls_.showMessage(LastLevelCaption, LastLevelMessage, MessageIcon::Error); });
        return;
    }
    step([this] {
        controls_.removeLevelLine(currentIndex_);
        levels_.erase(levels_.begin() + currentIndex_);
        levelIds_.erase(levelIds_.begin() + currentIndex_);
        selectLevel(std::min(currentIndex_, static_cast<int>(levels_.size()) - 1));
    });
}

void LevelEditorDialog::moveLevelUp()
{
    if (currentIndex_ > 0)
        moveLevelTo(currentIndex_ - 1);
}

void LevelEditorDialog::moveLevelDown()
{
    if (currentIndex_ + 1 < static_cast<int>(levels_.size()))
        moveLevelTo(currentIndex_ + 1);
}

// The level under edit travels with its entry: its uncommitted edits, the
// modified flag and the view stay as they are.
void LevelEditorDialog::moveLevelTo(int target)
{
    step([&] {
        std::swap(levels_[currentIndex_], levels_[target]);
        std::swap(levelIds_[currentIndex_], levelIds_[target]);
        controls_.replaceLevelLine(currentIndex_, levels_[currentIndex_].name);
        controls_.replaceLevelLine(target, levels_[target].name);
        controls_.selectLevelLine(target);
        currentIndex_ = target;
        showMoveButtons();
    });
}

void LevelEditorDialog::nameChanged(const std::string& text)
{
    workingLevel_.name = text;
    markModified();
}

// A goal above 127 would be stored as a negative number that no count of
// cleared layers reaches, so the edit holds it at 127.
void LevelEditorDialog::goalChanged(const std::string& text)
{
    long goal = readNumber(text);
    if (goal > HighestGoal) {
        goal = HighestGoal;
        controls_.showGoal(std::to_string(goal));
    }
    workingLevel_.goal = static_cast<std::int8_t>(goal);
    markModified();
}

void LevelEditorDialog::dropSliderMoved(int position)
{
    int drop = SlowestDrop + FastestDrop - position;
    if (drop == workingLevel_.drop)
        return;
    workingLevel_.drop = static_cast<std::int16_t>(drop);
    markModified();
    showFields();
}

float& LevelEditorDialog::channel(ColourChannel which)
{
    return which == ColourChannel::Red ? brush_.red : which == ColourChannel::Green ? brush_.green : brush_.blue;
}

void LevelEditorDialog::colourTextChanged(ColourChannel which, const std::string& text)
{
    float value = static_cast<float>(std::clamp(readNumber(text), 0L, 255L)) / 255.0f;
    if (value != channel(which)) {
        channel(which) = value;
        refreshBrush();
    }
}

void LevelEditorDialog::colourSliderMoved(ColourChannel which, int position)
{
    float value = static_cast<float>(std::clamp(position, 0, 255)) / 255.0f;
    if (value != channel(which)) {
        channel(which) = value;
        refreshBrush();
    }
}

// The view thread loads the texture when it first draws a cube of it.
void LevelEditorDialog::textureChosen(int entry)
{
    if (entry < 0 || entry >= static_cast<int>(textureEntries_.size()))
        return;
    brush_.textureName = textureNameOf(textureEntries_, entry);
}

void LevelEditorDialog::refreshBrush()
{
    for (ColourChannel c : Channels) {
        int value = channelByte(channel(c));
        controls_.setColourSlider(c, value);
        // Only a different number is written, so typing is not disturbed.
        if (readNumber(controls_.colourText(c)) != value)
            controls_.showColourText(c, std::to_string(value));
    }
    selectTextureFor(brush_.textureName);
    controls_.paintSwatch(channelByte(brush_.red), channelByte(brush_.green), channelByte(brush_.blue));
}

void LevelEditorDialog::selectTextureFor(const std::string& textureName)
{
    int entry = textureEntryFor(textureEntries_, textureName);
    if (entry != controls_.selectedTexture())
        controls_.selectTexture(entry);
}

void LevelEditorDialog::addBlocks()
{
    step([this] {
        view_.addBlocks(brush_);
        markModified();
    });
}

void LevelEditorDialog::removeBlocks()
{
    step([this] {
        view_.removeBlocks();
        markModified();
    });
}

void LevelEditorDialog::selectionChanged(bool noSelection, bool anyOccupied)
{
    controls_.enable(DialogButton::AddBlocks, !noSelection);
    controls_.enable(DialogButton::RemoveBlocks, !noSelection && anyOccupied);
}

void LevelEditorDialog::blockPicked(const std::optional<Material>& material)
{
    if (material)
        brush_ = *material;
    refreshBrush();
}

// A failed save leaves everything as it was, the uncommitted edits included,
// so the designer can fix the cause and try again.
void LevelEditorDialog::done()
{
    bool commit = false;
    if (modified_) {
        MessageAnswer answer = ask([this] { return controls_.askYesNoCancel(SaveQuestionCaption, SaveQuestion); });
        if (answer == MessageAnswer::Cancel)
            return;
        commit = answer == MessageAnswer::Yes;
    }
    if (commit)
        commitLevel();
    if (!services_.saveLevels || !services_.saveLevels(levels_)) {
        ask([this] { controls_.showMessage(SaveFailedCaption, LevelsSaveErrorMessage, MessageIcon::Error); });
        return;
    }
    if (services_.gameRunning && services_.gameRunning())
        ask([this] { controls_.showMessage(RestartCaption, RestartMessage, MessageIcon::Information); });
    outcome_ = DialogOutcome::Done;
    controls_.close();
}

EditState LevelEditorDialog::capture(const EditState* like) const
{
    EditState state;
    for (const LevelDef& level : levels_)
        state.levels.push_back(history_.share(level, like));
    state.ids = levelIds_;
    state.current = currentIndex_;
    state.name = workingLevel_.name;
    state.goal = workingLevel_.goal;
    state.drop = workingLevel_.drop;
    LevelDef shown;
    view_.exportBlocks(shown);
    std::vector<KeptLayer> layers;
    for (const Block& block : shown.blocks()) {
        const auto z = static_cast<std::size_t>(block.z);
        if (layers.size() <= z)
            layers.resize(z + 1);
        layers[z].push_back(KeptCube { block.x, block.y, *block.material });
    }
    for (std::size_t z = 0; z < layers.size(); ++z)
        state.cubes.push_back(history_.share(std::move(layers[z]), z, like));
    state.modified = modified_;
    return state;
}

void LevelEditorDialog::apply(const EditState& state)
{
    const bool sameLevelShown = state.ids.at(static_cast<std::size_t>(state.current))
        == levelIds_.at(static_cast<std::size_t>(currentIndex_));
    const int lines = static_cast<int>(levels_.size());
    const int count = static_cast<int>(state.levels.size());
    levels_.clear();
    for (const auto& level : state.levels)
        levels_.push_back(*level);
    levelIds_ = state.ids;
    for (int line = lines - 1; line >= count; --line)
        controls_.removeLevelLine(line);
    for (int line = 0; line < count; ++line) {
        if (line < lines)
            controls_.replaceLevelLine(line, levels_[static_cast<std::size_t>(line)].name);
        else
            controls_.insertLevelLine(line, levels_[static_cast<std::size_t>(line)].name);
    }
    currentIndex_ = state.current;
    controls_.selectLevelLine(currentIndex_);

    workingLevel_ = levels_.at(static_cast<std::size_t>(currentIndex_));
    workingLevel_.name = state.name;
    workingLevel_.goal = state.goal;
    workingLevel_.drop = state.drop;
    LevelDef shown(workingLevel_.x, workingLevel_.y, workingLevel_.z);
    shown.name = workingLevel_.name;
    for (std::size_t z = 0; z < state.cubes.size(); ++z)
        for (const KeptCube& cube : *state.cubes[z])
            shown.addBlock(cube.x, cube.y, static_cast<std::int8_t>(z), cube.material);
    if (sameLevelShown)
        view_.replaceCubes(shown);
    else
        view_.setLevel(shown);
    // Showing the fields may report them as edited: the flag comes after.
    showFields();
    showMoveButtons();
    modified_ = state.modified;
    controls_.enable(DialogButton::Save, modified_);
}

void LevelEditorDialog::undo()
{
    if (asking_ > 0 || !history_.canUndo())
        return;
    EditState now = capture();
    apply(history_.undo(std::move(now)));
}

void LevelEditorDialog::redo()
{
    if (asking_ > 0 || !history_.canRedo())
        return;
    EditState now = capture();
    apply(history_.redo(std::move(now)));
}

void LevelEditorDialog::historyRequested(HistoryStep step)
{
    if (step == HistoryStep::Undo)
        undo();
    else
        redo();
}

void LevelEditorDialog::cancel()
{
    outcome_ = DialogOutcome::Cancelled;
    controls_.close();
}

} // namespace cubrava
