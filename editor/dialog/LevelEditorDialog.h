#pragma once

#include "DialogControls.h"
#include "EditHistory.h"
#include "EditingView.h"
#include "ViewListener.h"
#include "data/LevelList.h"
#include "data/Material.h"

#include <functional>
#include <string>

namespace cubrava {

// What the dialog needs from the program around it.
struct DialogServices {
    // Writes the whole list; true when it was written. Shows nothing itself.
    std::function<bool(const LevelList&)> saveLevels;
    // Whether the game's window is open, so a save needs a restart of it.
    std::function<bool()> gameRunning;
    // Where the textures a brush can name are listed from.
    std::string texturesFolder = "Textures";
};

enum class DialogOutcome {
    Open,
    Done, // the list was written
    Cancelled, // nothing was written
};

// The level editor's main dialog without its widgets: the level list and the
// current level's properties, the block brush, "Done" and "Cancel". The
// widgets report the user's edits to the handlers below and are written
// through DialogControls; blocks are edited in the view, whose reports
// reach the ViewListener operations on the dialog's thread.
//
// Every change the designer makes is a step that undo takes back and redo
// makes again: adding or removing blocks, a new, removed or moved level, and
// a committed level. Undo changes only what the editor holds; "Done" writes
// what is current then.
class LevelEditorDialog : public ViewListener {
public:
    LevelEditorDialog(LevelList& levels, EditingView& view, DialogControls& controls, DialogServices services);

    // Fills the controls and shows the first level.
    void open();

    // The level list and the current level.
    void selectLevel(int index);
    void commitLevel();
    void levelLineChosen(int line);
    void createLevel();
    void removeLevel();
    void moveLevelUp();
    void moveLevelDown();
    void nameChanged(const std::string& text);
    void goalChanged(const std::string& text);
    void dropSliderMoved(int position);

    // The brush and the blocks.
    void colourTextChanged(ColourChannel channel, const std::string& text);
    void colourSliderMoved(ColourChannel channel, int position);
    void textureChosen(int entry);
    void addBlocks();
    void removeBlocks();
    void selectionChanged(bool noSelection, bool anyOccupied) override;
    void blockPicked(const std::optional<Material>& material) override;

    // Undo and redo, from either window's keys.
    void undo();
    void redo();
    void historyRequested(HistoryStep step) override;

    // Closing.
    void done();
    void cancel();
    DialogOutcome outcome() const { return outcome_; }

    // State, for whoever needs to look.
    int currentIndex() const { return currentIndex_; }
    bool modified() const { return modified_; }
    const LevelDef& workingLevel() const { return workingLevel_; }
    const Material& brush() const { return brush_; }

private:
    void showFields();
    void markModified();
    void showMoveButtons();
    // Runs a change as one step of the history (none when nothing changed).
    template <typename Change> void step(Change change);
    // Runs a question or a box to its answer, during which undo waits.
    template <typename Question> auto ask(Question question);
    EditState capture(const EditState* like = nullptr) const;
    void apply(const EditState& state);
    void moveLevelTo(int target);
    void refreshBrush();
    void selectTextureFor(const std::string& textureName);
    float& channel(ColourChannel which);

    LevelList& levels_;
    // Each level's identity, parallel to levels_.
    std::vector<std::uint64_t> levelIds_;
    std::uint64_t nextId_ = 1;
    EditHistory history_;
    EditingView& view_;
    DialogControls& controls_;
    DialogServices services_;
    LevelDef workingLevel_;
    int currentIndex_ = 0;
    bool modified_ = false;
    Material brush_; // black, untextured
    std::vector<std::string> textureEntries_;
    DialogOutcome outcome_ = DialogOutcome::Open;
    int asking_ = 0;
};

} // namespace cubrava
