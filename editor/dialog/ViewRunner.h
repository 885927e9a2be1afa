#pragma once

#include "EditingView.h"
#include "data/LevelList.h"

#include <chrono>
#include <functional>
#include <optional>
#include <string>

namespace cubrava {

// How the view thread's start-up went.
struct ViewStart {
    enum class Outcome { Ready, Failed, TimedOut };
    Outcome outcome = Outcome::TimedOut;
    // Failed: the text for the "Bad News..." box and standard error.
    std::string message;
};

// The editing view on a thread of its own, as the program drives it from its
// main thread: ViewThread on screen, a fake in tests.
class ViewRunner {
public:
    virtual ~ViewRunner() = default;

    // Called on the view thread once its work is over (the window closed, the
    // loop stopped or failed, or start-up failed). It must not block. Set
    // before start.
    virtual void setOnEnded(std::function<void()> onEnded) = 0;

    // Whether the window's close box ends the loop: for the view alone. Beside
    // the dialog, which alone ends the program, it brings the window back as
    // it was. Set before start; false until set.
    virtual void setCloseEnds(bool ends) = 0;

    // Starts the thread, which fills levels from the level file before it is
    // ready; the caller leaves the list alone until then.
    virtual void start(LevelList& levels) = 0;

    // Waits for the start-up's end: Ready, Failed with the message, or
    // TimedOut when the limit passed first (the thread goes on).
    virtual ViewStart waitReady(std::chrono::milliseconds limit) = 0;
    virtual ViewStart waitReady() = 0;

    // The view, once ready.
    virtual EditingView& view() = 0;

    // Whether the thread's work is over, within the limit.
    virtual bool waitEnded(std::chrono::milliseconds limit) = 0;

    // The failure that ended the loop after start-up, if one did.
    virtual std::optional<std::string> loopFailure() const = 0;

    // Ends the loop, closing the window, and waits for the thread. Safe to call
    // more than once, and when the thread never started or has ended.
    virtual void stop() = 0;
};

} // namespace cubrava
