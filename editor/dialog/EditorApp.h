#pragma once

#include "EditorDesktop.h"
#include "ViewRunner.h"
#include "data/LevelList.h"

#include <chrono>
#include <exception>
#include <functional>

namespace cubrava {

// What the editor writes on standard error when the view came up too late
// for the dialog to open.
extern const char* const LateViewMessage;

// The level editor program. The splash first; 1000 ms later the view thread
// starts on the level list, and the main thread gives it 4000 ms to come up.
// In time, the main dialog runs beside the view until "Done" or "Cancel"
// (status 0). Too late, the splash closes, the editor waits for the view
// without a limit and ends without the dialog (status 0, with a line on
// standard error saying so). A failure on either thread, at start-up or
// later, is reported ("Bad News...", standard error) and ends the program
// with status 1, closing the dialog if it is open. The view thread is stopped
// before the program ends, and before a failure is reported.
//
// The main thread only.
class EditorApp {
public:
    using Clock = std::function<std::chrono::steady_clock::time_point()>;
    static constexpr std::chrono::milliseconds StartLimit { 4000 };

    EditorApp(ViewRunner& view, EditorDesktop& desktop, Clock now = std::chrono::steady_clock::now);
    // Stops the view thread if it still runs.
    ~EditorApp();
    EditorApp(const EditorApp&) = delete;
    EditorApp& operator=(const EditorApp&) = delete;

    // The editor: the program's exit status.
    int run();
    // The view alone on the first level, without splash or dialog, until its
    // window is closed: the program's exit status.
    int runViewOnly();

    const LevelList& levels() const { return levels_; }

private:
    void startAndEdit();
    ViewStart waitForView();
    void viewEnded();
    int finish(std::exception_ptr failure);

    ViewRunner& view_;
    EditorDesktop& desktop_;
    Clock now_;
    LevelList levels_;
    bool dialogOpen_ = false;
};

} // namespace cubrava
