#pragma once

#include "ModalLoop.h"
#include "editor/dialog/NewLevelDialog.h"

#include <memory>
#include <optional>

class Fl_Input;
class Fl_Window;

namespace cubrava {

// "Create New Level" on the toolkit: a modal window over the main dialog.
class NewLevelWindow : private NewLevelControls {
public:
    NewLevelWindow();
    ~NewLevelWindow() override;

    // Shows the window until "Create" succeeds or it is cancelled; the level
    // made, if any. A failure inside its handlers is raised here.
    std::optional<LevelDef> run();

private:
    std::string text(NewLevelField field) const override;
    void showMessage(const std::string& caption, const std::string& text, MessageIcon icon) override;
    void focus(NewLevelField field) override;
    void close() override;

    Fl_Input* field(NewLevelField which) const;

    NewLevelDialog logic_;
    std::unique_ptr<Fl_Window> window_;
    std::unique_ptr<ModalLoop> loop_;
    Fl_Input* name_ = nullptr;
    Fl_Input* x_ = nullptr;
    Fl_Input* y_ = nullptr;
    Fl_Input* height_ = nullptr;
};

} // namespace cubrava
