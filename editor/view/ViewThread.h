#pragma once

#include "EditorView.h"
#include "GlutEditorView.h"
#include "ViewWindow.h"
#include "data/LevelList.h"
#include "editor/dialog/ViewRunner.h"
#include "platform/WindowWake.h"

#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <thread>

namespace cubrava {

// The thread that runs the editing view: it opens the view's window, reads
// the level list, reports ready (or the failure) and runs GLUT's event loop
// until the loop is asked to end: the window's close box only brings the
// window back (ViewWindow).
//
// Threads: construct it, start it, wait for it, stop it and destroy it on the
// program's main thread. The program calls enableThreadedX() before any X
// call, this object's included. view() may be used from the main thread once
// waitReady has said Ready (the EditingView calls); the view's other calls
// are the view thread's.
class ViewThread : public ViewRunner {
public:
    ViewThread();
    // Ends the loop and joins the thread.
    ~ViewThread() override;
    ViewThread(const ViewThread&) = delete;
    ViewThread& operator=(const ViewThread&) = delete;

    // Starts the thread, once. It fills levels from Config/Levels.dat before it
    // is ready; the caller leaves the list alone until then and keeps it alive
    // while the thread runs.
    void start(LevelList& levels) override;

    // Waits for the start-up's end: Ready, Failed with the message, or
    // TimedOut when the limit passed first (the thread goes on).
    ViewStart waitReady(std::chrono::milliseconds limit) override;
    // The same without a limit.
    ViewStart waitReady() override;

    // The view, for the dialog.
    EditorView& view() override { return parts_.view(); }

    // Called on the view thread once its loop has ended (stop was called, or a
    // failure), or start-up failed. It must not block:
    // pass a toolkit wake-up. Set before start.
    void setOnEnded(std::function<void()> onEnded) override;
    void setCloseEnds(bool ends) override { closeEnds_ = ends; }

    // Whether the thread's work is over, within the limit.
    bool waitEnded(std::chrono::milliseconds limit) override;
    void waitEnded();

    // The failure that ended the loop after start-up, if one did.
    std::optional<std::string> loopFailure() const override;

    // Ends the loop, which closes the window, and joins the thread. Safe to
    // call more than once, and when the thread never started or has ended.
    void stop() override;

private:
    void run(LevelList& levels);
    bool startUp(LevelList& levels);
    void watchForEnd();
    ViewStart startResult() const;

    WindowWake wake_;
    GlutEditorView parts_;
    ViewWindow window_;

    mutable std::mutex mutex_;
    std::condition_variable changed_;
    bool ready_ = false;
    bool failed_ = false;
    bool ended_ = false;
    std::string failure_;
    std::optional<std::string> loopFailure_;
    std::function<void()> onEnded_;
    bool closeEnds_ = false;
    std::thread thread_;
};

} // namespace cubrava
