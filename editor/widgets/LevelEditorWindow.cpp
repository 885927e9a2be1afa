#include "LevelEditorWindow.h"

#include "DialogUnits.h"
#include "DialogWindow.h"
#include "GroupFrame.h"
#include "NameInput.h"
#include "NewLevelWindow.h"
#include "NumberInput.h"
#include "ViewEventRelay.h"
#include "platform/MessageBox.h"
#include "platform/WindowIcon.h"

#include <FL/Fl.H>
#include <FL/Fl_Box.H>
#include <FL/Fl_Button.H>
#include <FL/Fl_Choice.H>
#include <FL/Fl_Double_Window.H>
#include <FL/Fl_Hold_Browser.H>
#include <FL/Fl_Hor_Slider.H>
#include <FL/Fl_Input.H>
#include <FL/Fl_Menu_Item.H>
#include <FL/Fl_Return_Button.H>

#include <utility>

namespace cubrava {

namespace {

const char* const Title = "Cubrava Level Editor";
constexpr int ColourDigits = 3;
constexpr int GoalDigits = 3;
constexpr int ColourRows[] = { 161, 177, 193 }; // R, G and B, in units down
constexpr int DialogTop = 100;

// Text from the user, shown as it is: the list box reads "@" as a format
// sign unless a line starts with "@.", menus read "@" and "&" unless doubled.
std::string listLine(const std::string& text)
{
    return "@." + text;
}

std::string menuLabel(const std::string& text)
{
    std::string label;
    for (char c : text) {
        if (c == '@' || c == '&')
            label += c;
        label += c;
    }
    return label;
}

Fl_Slider* slider(const UnitRect& where, double lowest, double highest)
{
    auto* s = place<Fl_Hor_Slider>(where);
    s->bounds(lowest, highest);
    s->step(1);
    s->when(FL_WHEN_CHANGED);
    return s;
}

int index(ColourChannel channel)
{
    return static_cast<int>(channel);
}

} // namespace

// The view's reports, delivered on the main thread by the relay.
class LevelEditorWindow::Reports : public ViewListener {
public:
    explicit Reports(LevelEditorWindow& window)
        : window_(window)
    {
    }

    void selectionChanged(bool noSelection, bool anyOccupied) override
    {
        window_.loop_->guarded([&] { window_.logic_.selectionChanged(noSelection, anyOccupied); });
    }

    void blockPicked(const std::optional<Material>& material) override
    {
        window_.loop_->guarded([&] { window_.logic_.blockPicked(material); });
    }

    void historyRequested(HistoryStep step) override
    {
        window_.loop_->guarded([&] { window_.logic_.historyRequested(step); });
    }

private:
    LevelEditorWindow& window_;
};

LevelEditorWindow::LevelEditorWindow(
    LevelList& levels, EditingView& view, ViewEventRelay& relay, DialogServices services)
    : logic_(levels, view, *this, std::move(services))
    , relay_(relay)
    , reports_(std::make_unique<Reports>(*this))
{
    build();
    relay_.connect(reports_.get());
    view.addListener(relay_);
}

LevelEditorWindow::~LevelEditorWindow()
{
    relay_.connect(nullptr);
}

void LevelEditorWindow::build()
{
    const int fontSize = fittingFontSize({ { "Name:", 24 }, { "Dimensions: ", 46 }, { "200", 13 },
        { "Goal (lines) :", 93 }, { "Drop Speed:", 88 }, { "2000", 17 }, { "ms", 10 }, { "10", 11 },
        { "Move Level Up", 63, true }, { "Move Level Down", 64, true }, { "New", 37, true }, { "Save", 37, true },
        { "Remove", 42, true }, { "R:", 10 }, { "G:", 10 }, { "B:", 10 }, { "Texture:", 32 },
        { "Add Block(s)", 64, true }, { "Remove Block(s)", 64, true }, { "Done", 43, true }, { "Cancel", 43, true } });

    window_ = std::make_unique<DialogWindow>(unitsAcross(227), unitsDown(266), Title,
        [this](HistoryStep step) { loop_->guarded([&] { logic_.historyRequested(step); }); });
    window_->begin();

    place<GroupFrame>({ 7, 7, 213, 133 }, "Level");
    levelList_ = place<Fl_Hold_Browser>({ 14, 18, 66, 76 });
    levelList_->when(FL_WHEN_CHANGED);
    placeLabel({ 92, 20, 24, 8 }, "Name:");
    name_ = place<NameInput>({ 116, 18, 96, 14 });
    name_->when(FL_WHEN_CHANGED);
    placeLabel({ 92, 39, 46, 8 }, "Dimensions: ");
    const int valueColumns[] = { 138, 164, 193 };
    for (int i = 0; i < 3; ++i)
        dimensions_[i] = placeLabel({ valueColumns[i], 39, 13, 8 }, "200", LabelAlign::Centre);
    placeLabel({ 151, 39, 13, 8 }, "x", LabelAlign::Centre);
    placeLabel({ 177, 39, 16, 8 }, "x", LabelAlign::Centre);
    placeLabel({ 92, 56, 93, 8 }, "Goal (lines) :");
    goal_ = place<NumberInput>({ 185, 53, 20, 14 }, GoalDigits);
    placeLabel({ 92, 72, 88, 8 }, "Drop Speed:");
    dropValue_ = placeLabel({ 182, 72, 17, 8 }, "2000", LabelAlign::Right);
    placeLabel({ 202, 72, 10, 8 }, "ms");
    dropSlider_ = slider({ 92, 83, 120, 15 }, 10, 2000);
    placeLabel({ 92, 101, 20, 8 }, "2000");
    placeLabel({ 201, 101, 11, 8 }, "10");
    buttons_[static_cast<int>(DialogButton::MoveUp)] = place<Fl_Button>({ 14, 99, 63, 14 }, "Move Level Up");
    buttons_[static_cast<int>(DialogButton::MoveDown)] = place<Fl_Button>({ 14, 118, 64, 14 }, "Move Level Down");
    auto* newLevel = place<Fl_Button>({ 84, 118, 37, 14 }, "New");
    buttons_[static_cast<int>(DialogButton::Save)] = place<Fl_Button>({ 127, 118, 37, 14 }, "Save");
    auto* remove = place<Fl_Button>({ 170, 118, 42, 14 }, "Remove");

    place<GroupFrame>({ 7, 145, 213, 92 }, "Block Editor");
    const char* channelNames[] = { "R:", "G:", "B:" };
    for (int i = 0; i < 3; ++i) {
        placeLabel({ 14, ColourRows[i] + 3, 10, 8 }, channelNames[i]);
        colourEdits_[i] = place<NumberInput>({ 24, ColourRows[i], 22, 14 }, ColourDigits);
        colourSliders_[i] = slider({ 47, ColourRows[i], 91, 15 }, 0, 255);
    }
    swatch_ = place<Fl_Box>({ 165, 159, 31, 28 });
    swatch_->box(FL_FLAT_BOX);
    placeLabel({ 14, 217, 32, 8 }, "Texture:");
    textures_ = place<Fl_Choice>({ 46, 215, 92, 14 });
    buttons_[static_cast<int>(DialogButton::AddBlocks)] = place<Fl_Button>({ 148, 193, 64, 14 }, "Add Block(s)");
    buttons_[static_cast<int>(DialogButton::RemoveBlocks)] = place<Fl_Button>({ 148, 214, 64, 14 }, "Remove Block(s)");

    auto* done = place<Fl_Return_Button>({ 127, 245, 43, 14 }, "Done");
    auto* cancel = place<Fl_Button>({ 177, 245, 43, 14 }, "Cancel");
    window_->end();
    loop_ = std::make_unique<ModalLoop>(*window_);
    applyFontSize(*window_, fontSize);

    auto dispatch = [](Fl_Widget* widget, void* self) {
        auto* me = static_cast<LevelEditorWindow*>(self);
        me->loop_->guarded([&] { me->react(widget); });
    };
    for (Fl_Widget* widget : std::initializer_list<Fl_Widget*> {
             levelList_, name_, goal_, dropSlider_, newLevel, remove, done, cancel, textures_ })
        widget->callback(dispatch, this);
    for (Fl_Button* b : buttons_)
        b->callback(dispatch, this);
    for (int i = 0; i < 3; ++i) {
        colourEdits_[i]->callback(dispatch, this);
        colourSliders_[i]->callback(dispatch, this);
    }
    // The close box and Escape cancel.
    window_->callback(dispatch, this);
    doneButton_ = done;
    newButton_ = newLevel;
    removeButton_ = remove;
    cancelButton_ = cancel;
    setWindowIcon(*window_);
}

void LevelEditorWindow::react(Fl_Widget* widget)
{
    if (widget == window_.get() || widget == cancelButton_)
        logic_.cancel();
    else if (widget == doneButton_)
        logic_.done();
    else if (widget == levelList_)
        logic_.levelLineChosen(levelList_->value() - 1);
    else if (widget == name_)
        logic_.nameChanged(name_->value());
    else if (widget == goal_)
        logic_.goalChanged(goal_->value());
    else if (widget == dropSlider_)
        logic_.dropSliderMoved(static_cast<int>(dropSlider_->value()));
    else if (widget == newButton_)
        logic_.createLevel();
    else if (widget == buttons_[static_cast<int>(DialogButton::Save)])
        logic_.commitLevel();
    else if (widget == removeButton_)
        logic_.removeLevel();
    else if (widget == buttons_[static_cast<int>(DialogButton::MoveUp)])
        logic_.moveLevelUp();
    else if (widget == buttons_[static_cast<int>(DialogButton::MoveDown)])
        logic_.moveLevelDown();
    else if (widget == buttons_[static_cast<int>(DialogButton::AddBlocks)])
        logic_.addBlocks();
    else if (widget == buttons_[static_cast<int>(DialogButton::RemoveBlocks)])
        logic_.removeBlocks();
    else if (widget == textures_)
        logic_.textureChosen(textures_->value());
    for (ColourChannel channel : { ColourChannel::Red, ColourChannel::Green, ColourChannel::Blue }) {
        if (widget == colourEdit(channel))
            logic_.colourTextChanged(channel, colourEdit(channel)->value());
        else if (widget == colourSlider(channel))
            logic_.colourSliderMoved(channel, static_cast<int>(colourSlider(channel)->value()));
    }
}

DialogOutcome LevelEditorWindow::run()
{
    loop_->guarded([this] { logic_.open(); });
    loop_->rethrowFailure();
    // To the right of the view, which stands at (10, 50) and is 0.6 of the
    // screen's width wide.
    int sx, sy, sw, sh;
    Fl::screen_xywh(sx, sy, sw, sh, 0);
    window_->position(static_cast<int>(0.6 * sw + 20), DialogTop);
    loop_->run();
    return logic_.outcome();
}

NumberInput* LevelEditorWindow::colourEdit(ColourChannel channel) const
{
    return colourEdits_[index(channel)];
}

Fl_Slider* LevelEditorWindow::colourSlider(ColourChannel channel) const
{
    return colourSliders_[index(channel)];
}

Fl_Button* LevelEditorWindow::button(DialogButton which) const
{
    return buttons_[static_cast<int>(which)];
}

void LevelEditorWindow::insertLevelLine(int line, const std::string& name)
{
    levelList_->insert(line + 1, listLine(name).c_str());
}

void LevelEditorWindow::removeLevelLine(int line)
{
    levelList_->remove(line + 1);
}

void LevelEditorWindow::replaceLevelLine(int line, const std::string& name)
{
    levelList_->text(line + 1, listLine(name).c_str());
}

void LevelEditorWindow::selectLevelLine(int line)
{
    levelList_->value(line + 1);
    levelList_->make_visible(line + 1);
}

void LevelEditorWindow::showName(const std::string& name)
{
    name_->value(name.c_str());
}

void LevelEditorWindow::showGoal(const std::string& goal)
{
    goal_->show(goal);
}

void LevelEditorWindow::showDimensions(const std::string& x, const std::string& y, const std::string& height)
{
    dimensions_[0]->copy_label(x.c_str());
    dimensions_[1]->copy_label(y.c_str());
    dimensions_[2]->copy_label(height.c_str());
}

void LevelEditorWindow::showDrop(const std::string& milliseconds)
{
    dropValue_->copy_label(milliseconds.c_str());
}

void LevelEditorWindow::setDropSlider(int position)
{
    dropSlider_->value(position);
}

void LevelEditorWindow::enable(DialogButton which, bool enabled)
{
    if (enabled)
        button(which)->activate();
    else
        button(which)->deactivate();
}

std::string LevelEditorWindow::colourText(ColourChannel channel) const
{
    return colourEdit(channel)->value();
}

void LevelEditorWindow::showColourText(ColourChannel channel, const std::string& text)
{
    colourEdit(channel)->show(text);
}

void LevelEditorWindow::setColourSlider(ColourChannel channel, int position)
{
    colourSlider(channel)->value(position);
}

void LevelEditorWindow::paintSwatch(int red, int green, int blue)
{
    swatch_->color(fl_rgb_color(static_cast<uchar>(red), static_cast<uchar>(green), static_cast<uchar>(blue)));
    swatch_->redraw();
}

void LevelEditorWindow::setTextureEntries(const std::vector<std::string>& entries)
{
    textureLabels_.clear();
    for (const std::string& entry : entries)
        textureLabels_.push_back(menuLabel(entry));
    textureItems_.assign(textureLabels_.size() + 1, Fl_Menu_Item {}); // the last one ends the menu
    for (std::size_t i = 0; i < textureLabels_.size(); ++i)
        textureItems_[i].text = textureLabels_[i].c_str();
    textures_->menu(textureItems_.data());
}

int LevelEditorWindow::selectedTexture() const
{
    return textures_->value();
}

void LevelEditorWindow::selectTexture(int entry)
{
    textures_->value(entry);
    textures_->redraw();
}

void LevelEditorWindow::showMessage(const std::string& caption, const std::string& text, MessageIcon icon)
{
    cubrava::showMessage(caption, text, icon);
}

MessageAnswer LevelEditorWindow::askYesNoCancel(const std::string& caption, const std::string& text)
{
    return cubrava::askYesNoCancel(caption, text);
}

std::optional<LevelDef> LevelEditorWindow::askNewLevel()
{
    NewLevelWindow dialog;
    return dialog.run();
}

void LevelEditorWindow::close()
{
    window_->hide();
}

} // namespace cubrava
