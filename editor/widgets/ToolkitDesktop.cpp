#include "ToolkitDesktop.h"

#include "LevelEditorWindow.h"
#include "data/LevelWriter.h"
#include "platform/FatalErrorReport.h"
#include "platform/SplashWindow.h"
#include "platform/WindowLookup.h"

#include <FL/Fl.H>
#include <FL/Fl_Window.H>

#include <algorithm>
#include <iostream>

namespace cubrava {

namespace {

// The game's window, whose files a save changes under it.
const char* const GameWindowTitle = "Cubrava";

constexpr double SplashPumpSeconds = 0.1;

// The dialog and the view open while the splash is still up: it is raised
// above them until it closes itself.
void keepSplashOnTop(void*)
{
    if (pumpSplash())
        Fl::add_timeout(SplashPumpSeconds, keepSplashOnTop);
}

} // namespace

ToolkitDesktop::ToolkitDesktop()
{
    // Called on the view thread, maybe under the view's lock: the boxes open
    // here, on the main thread.
    setImageFailureNotifier([this] { queue_.post([this] { showNewImageFailures(); }); });
}

ToolkitDesktop::~ToolkitDesktop()
{
    setImageFailureNotifier({});
}

// The view draws its cubes anew in every frame, so a picture that cannot be
// read fails in every frame: a box each time would never let the user go on.
void ToolkitDesktop::showNewImageFailures()
{
    showImageFailures([this](const ImageFailure& failure) {
        if (std::find(shownImageFailures_.begin(), shownImageFailures_.end(), failure) != shownImageFailures_.end())
            return;
        shownImageFailures_.push_back(failure);
        showImageFailureBox(failure);
    });
}

void ToolkitDesktop::runSplash(const std::function<void()>& start)
{
    cubrava::runSplash(start);
}

void ToolkitDesktop::pump()
{
    if (!pumpSplash())
        Fl::check();
}

void ToolkitDesktop::closeSplash()
{
    cubrava::closeSplash();
}

DialogOutcome ToolkitDesktop::runDialog(LevelList& levels, EditingView& view)
{
    DialogServices services;
    services.saveLevels = [](const LevelList& list) { return saveLevels(list); };
    services.gameRunning = [] { return findWindowByTitle(GameWindowTitle).has_value(); };
    LevelEditorWindow dialog(levels, view, relay_, std::move(services));
    Fl::add_timeout(SplashPumpSeconds, keepSplashOnTop);
    struct PumpStop {
        ~PumpStop() { Fl::remove_timeout(keepSplashOnTop); }
    } pumpStop;
    return dialog.run();
}

void ToolkitDesktop::closeDialog()
{
    cubrava::closeSplash();
    // Boxes over the dialog run loops of their own; each ends once its
    // window is hidden, and so does the dialog's.
    while (Fl_Window* window = Fl::first_window())
        window->hide();
}

void ToolkitDesktop::waitUntil(const std::function<bool()>& condition)
{
    while (!condition())
        Fl::wait();
}

void ToolkitDesktop::post(std::function<void()> work)
{
    queue_.post(std::move(work));
}

void ToolkitDesktop::reportFailure(std::exception_ptr failure)
{
    reportFatalError(fatalErrorText(failure));
}

void ToolkitDesktop::note(const std::string& line)
{
    std::cerr << line << std::endl;
}

} // namespace cubrava
