#pragma once

#include "data/LevelDef.h"
#include "platform/MessageBox.h"

#include <optional>
#include <string>

namespace cubrava {

enum class NewLevelField {
    Name,
    X,
    Y,
    Height,
};

// The "Create New Level" dialog's controls as its logic sees them.
class NewLevelControls {
public:
    virtual ~NewLevelControls() = default;
    virtual std::string text(NewLevelField field) const = 0;
    virtual void showMessage(const std::string& caption, const std::string& text, MessageIcon icon) = 0;
    virtual void focus(NewLevelField field) = 0;
    // Ends the dialog's modal loop.
    virtual void close() = 0;
};

// "Create New Level" without its widgets: checks the fields when "Create" is
// pressed and makes the level.
class NewLevelDialog {
public:
    explicit NewLevelDialog(NewLevelControls& controls);

    // Refuses the first field that is wrong, in a "Doh!" box, and puts the
    // focus there; otherwise makes the level and closes.
    void create();
    void cancel();

    // The level made by "Create"; none after "Cancel" or while open.
    const std::optional<LevelDef>& level() const { return level_; }

private:
    NewLevelControls& controls_;
    std::optional<LevelDef> level_;
};

} // namespace cubrava
