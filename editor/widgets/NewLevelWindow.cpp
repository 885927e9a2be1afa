#include "NewLevelWindow.h"

#include "DialogUnits.h"
#include "NumberInput.h"
#include "platform/WindowIcon.h"

#include <FL/Fl.H>
#include <FL/Fl_Box.H>
#include <FL/Fl_Button.H>
#include <FL/Fl_Input.H>
#include <FL/Fl_Return_Button.H>
#include <FL/Fl_Window.H>

namespace cubrava {

namespace {

constexpr int SideDigits = 2;

} // namespace

NewLevelWindow::NewLevelWindow()
    : logic_(*this)
{
    // The dimensions' heading may use the free width up to the buttons.
    const int fontSize = fittingFontSize({ { "Level Name:", 43 }, { "Level Dimensions (4 - 50) :", 135 }, { "X:", 11 },
        { "Y:", 10 }, { "Height:", 26 }, { "Create", 50, true }, { "Cancel", 50, true } });
    window_ = std::make_unique<Fl_Window>(unitsAcross(201), unitsDown(63), "Create New Level");
    window_->begin();
    placeLabel({ 7, 12, 43, 8 }, "Level Name:");
    name_ = place<Fl_Input>({ 50, 9, 85, 14 });
    placeLabel({ 7, 27, 135, 8 }, "Level Dimensions (4 - 50) :");
    placeLabel({ 7, 44, 11, 8 }, "X:");
    x_ = place<NumberInput>({ 18, 42, 17, 14 }, SideDigits);
    placeLabel({ 51, 44, 10, 8 }, "Y:");
    y_ = place<NumberInput>({ 61, 41, 18, 14 }, SideDigits);
    placeLabel({ 92, 44, 26, 8 }, "Height:");
    height_ = place<NumberInput>({ 118, 41, 17, 14 }, SideDigits);
    auto* create = place<Fl_Return_Button>({ 144, 24, 50, 14 }, "Create");
    auto* cancel = place<Fl_Button>({ 144, 41, 50, 14 }, "Cancel");
    window_->end();
    loop_ = std::make_unique<ModalLoop>(*window_);
    applyFontSize(*window_, fontSize);

    create->callback(
        [](Fl_Widget*, void* self) {
            auto* me = static_cast<NewLevelWindow*>(self);
            me->loop_->guarded([me] { me->logic_.create(); });
        },
        this);
    // The close box and Escape cancel, as the button does.
    auto onCancel = [](Fl_Widget*, void* self) {
        auto* me = static_cast<NewLevelWindow*>(self);
        me->loop_->guarded([me] { me->logic_.cancel(); });
    };
    cancel->callback(onCancel, this);
    window_->callback(onCancel, this);
    window_->set_modal();
    setWindowIcon(*window_);
}

NewLevelWindow::~NewLevelWindow() = default;

std::optional<LevelDef> NewLevelWindow::run()
{
    // Over the middle of the screen, like the message boxes.
    int sx, sy, sw, sh;
    Fl::screen_xywh(sx, sy, sw, sh, 0);
    window_->position(sx + (sw - window_->w()) / 2, sy + (sh - window_->h()) / 2);
    loop_->run(); // the name edit, first of the controls, has the focus
    return logic_.level();
}

Fl_Input* NewLevelWindow::field(NewLevelField which) const
{
    switch (which) {
    case NewLevelField::Name:
        return name_;
    case NewLevelField::X:
        return x_;
    case NewLevelField::Y:
        return y_;
    case NewLevelField::Height:
        return height_;
    }
    return name_;
}

std::string NewLevelWindow::text(NewLevelField which) const
{
    return field(which)->value();
}

void NewLevelWindow::showMessage(const std::string& caption, const std::string& text, MessageIcon icon)
{
    cubrava::showMessage(caption, text, icon);
}

void NewLevelWindow::focus(NewLevelField which)
{
    Fl_Input* input = field(which);
    input->take_focus();
    input->position(input->size(), 0); // the whole text selected, ready to be typed over
}

void NewLevelWindow::close()
{
    window_->hide();
}

} // namespace cubrava
