#pragma once

#include "data/LevelDef.h"
#include "platform/MessageBox.h"

#include <optional>
#include <string>
#include <vector>

namespace cubrava {

enum class DialogButton {
    MoveUp,
    MoveDown,
    Save,
    AddBlocks,
    RemoveBlocks,
};

enum class ColourChannel {
    Red,
    Green,
    Blue,
};

// The main dialog's controls as its logic sees them. Writing a control from
// here never reports a change back; only the user's edits do. Lines and
// entries count from 0; -1 means none.
class DialogControls {
public:
    virtual ~DialogControls() = default;

    // The level list box, one line per level name.
    virtual void insertLevelLine(int line, const std::string& name) = 0;
    virtual void removeLevelLine(int line) = 0;
    virtual void replaceLevelLine(int line, const std::string& name) = 0;
    virtual void selectLevelLine(int line) = 0;

    // The current level's fields; the drop slider's range is 10..2000.
    virtual void showName(const std::string& name) = 0;
    virtual void showGoal(const std::string& goal) = 0;
    virtual void showDimensions(const std::string& x, const std::string& y, const std::string& height) = 0;
    virtual void showDrop(const std::string& milliseconds) = 0;
    virtual void setDropSlider(int position) = 0;

    virtual void enable(DialogButton button, bool enabled) = 0;

    // The brush: colour edits and sliders (0..255), the swatch, the texture box.
    virtual std::string colourText(ColourChannel channel) const = 0;
    virtual void showColourText(ColourChannel channel, const std::string& text) = 0;
    virtual void setColourSlider(ColourChannel channel, int position) = 0;
    virtual void paintSwatch(int red, int green, int blue) = 0;
    virtual void setTextureEntries(const std::vector<std::string>& entries) = 0;
    virtual int selectedTexture() const = 0;
    virtual void selectTexture(int entry) = 0;

    // Modal boxes over the dialog.
    virtual void showMessage(const std::string& caption, const std::string& text, MessageIcon icon) = 0;
    virtual MessageAnswer askYesNoCancel(const std::string& caption, const std::string& text) = 0;
    // "Create New Level": the level made, or none when cancelled.
    virtual std::optional<LevelDef> askNewLevel() = 0;

    // Ends the dialog's modal loop.
    virtual void close() = 0;
};

} // namespace cubrava
