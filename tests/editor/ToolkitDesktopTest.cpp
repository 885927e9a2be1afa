// The editor's desktop on the toolkit, under Xvfb: closing the dialog from
// outside also ends a box open over it, as a failure of the view thread must.

#include "editor/widgets/ToolkitDesktop.h"
#include "DialogFakes.h"
#include "platform/MessageBox.h"

#include <FL/Fl.H>
#include <FL/Fl_Window.H>
#include <gtest/gtest.h>

#include <chrono>
#include <cstring>

using namespace cubrava;
using namespace cubrava::test;

namespace {

// Steps taken from a timeout that looks at the windows every 50 ms, so it
// goes on inside the loop of any box.
struct Script {
    ToolkitDesktop& desktop;
    int step = 0;
    bool gaveUp = false;
    std::chrono::steady_clock::time_point deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);

    static void poll(void* data)
    {
        auto& s = *static_cast<Script*>(data);
        Fl::add_timeout(0.05, poll, data);
        Fl_Window* top = Fl::first_window();
        const char* title = top && top->label() ? top->label() : "";
        if (std::chrono::steady_clock::now() > s.deadline) {
            s.gaveUp = true;
            while (Fl_Window* w = Fl::first_window())
                w->hide();
        } else if (s.step == 0 && std::strcmp(title, "Cubrava Level Editor") == 0) {
            s.step = 1;
            showMessage("Over the dialog", "The view thread fails while this is open.", MessageIcon::Information);
        } else if (s.step == 1 && std::strcmp(title, "Over the dialog") == 0) {
            s.step = 2;
            s.desktop.closeDialog();
        }
    }
};

} // namespace

TEST(ToolkitDesktop, ClosingTheDialogEndsTheBoxOverItAndTheDialog)
{
    ToolkitDesktop desktop;
    LevelList levels { LevelDef(6, 6, 8) };
    FakeView view;
    Script script { desktop };
    Fl::add_timeout(0.05, Script::poll, &script);
    const DialogOutcome outcome = desktop.runDialog(levels, view);
    Fl::remove_timeout(Script::poll, &script);

    EXPECT_FALSE(script.gaveUp) << "stuck at step " << script.step;
    EXPECT_EQ(script.step, 2);
    EXPECT_EQ(outcome, DialogOutcome::Open) << "neither Done nor Cancel";
    EXPECT_EQ(Fl::first_window(), nullptr);
}
