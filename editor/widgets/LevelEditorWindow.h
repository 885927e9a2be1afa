#pragma once

#include "ModalLoop.h"
#include "editor/dialog/DialogControls.h"
#include "editor/dialog/LevelEditorDialog.h"

#include <memory>
#include <string>
#include <vector>

class Fl_Box;
class Fl_Button;
class Fl_Choice;
class Fl_Double_Window;
class Fl_Hold_Browser;
class Fl_Input;
class Fl_Menu_Item;
class Fl_Slider;
class Fl_Widget;

namespace cubrava {

class NumberInput;
class ViewEventRelay;

// The "Cubrava Level Editor" dialog on the toolkit. It registers the relay
// with the view and receives the view's reports through it on the main thread.
//
//   LevelEditorWindow dialog(levels, view, relay, services);
//   DialogOutcome outcome = dialog.run();
class LevelEditorWindow : private DialogControls {
public:
    LevelEditorWindow(LevelList& levels, EditingView& view, ViewEventRelay& relay, DialogServices services);
    ~LevelEditorWindow() override;
    LevelEditorWindow(const LevelEditorWindow&) = delete;
    LevelEditorWindow& operator=(const LevelEditorWindow&) = delete;

    // Sets the dialog up, shows it to the right of the view and runs it until
    // "Done" or "Cancel". A failure inside a handler closes the dialog and
    // is raised here.
    DialogOutcome run();

private:
    class Reports;

    void build();
    void react(Fl_Widget* widget);
    NumberInput* colourEdit(ColourChannel channel) const;
    Fl_Slider* colourSlider(ColourChannel channel) const;
    Fl_Button* button(DialogButton which) const;

    // DialogControls
    void insertLevelLine(int line, const std::string& name) override;
    void removeLevelLine(int line) override;
    void replaceLevelLine(int line, const std::string& name) override;
    void selectLevelLine(int line) override;
    void showName(const std::string& name) override;
    void showGoal(const std::string& goal) override;
    void showDimensions(const std::string& x, const std::string& y, const std::string& height) override;
    void showDrop(const std::string& milliseconds) override;
    void setDropSlider(int position) override;
    void enable(DialogButton button, bool enabled) override;
    std::string colourText(ColourChannel channel) const override;
    void showColourText(ColourChannel channel, const std::string& text) override;
    void setColourSlider(ColourChannel channel, int position) override;
    void paintSwatch(int red, int green, int blue) override;
    void setTextureEntries(const std::vector<std::string>& entries) override;
    int selectedTexture() const override;
    void selectTexture(int entry) override;
    void showMessage(const std::string& caption, const std::string& text, MessageIcon icon) override;
    MessageAnswer askYesNoCancel(const std::string& caption, const std::string& text) override;
    std::optional<LevelDef> askNewLevel() override;
    void close() override;

    LevelEditorDialog logic_;
    ViewEventRelay& relay_;
    std::unique_ptr<Reports> reports_;
    // The texture box's menu refers to these; they outlive the window.
    std::vector<std::string> textureLabels_;
    std::vector<Fl_Menu_Item> textureItems_;
    std::unique_ptr<Fl_Double_Window> window_;
    std::unique_ptr<ModalLoop> loop_;
    Fl_Hold_Browser* levelList_ = nullptr;
    Fl_Input* name_ = nullptr;
    NumberInput* goal_ = nullptr;
    Fl_Box* dimensions_[3] = {};
    Fl_Box* dropValue_ = nullptr;
    Fl_Slider* dropSlider_ = nullptr;
    Fl_Button* buttons_[5] = {};
    NumberInput* colourEdits_[3] = {};
    Fl_Slider* colourSliders_[3] = {};
    Fl_Box* swatch_ = nullptr;
    Fl_Choice* textures_ = nullptr;
    Fl_Button* newButton_ = nullptr;
    Fl_Button* removeButton_ = nullptr;
    Fl_Button* doneButton_ = nullptr;
    Fl_Button* cancelButton_ = nullptr;
};

} // namespace cubrava
