#pragma once

#include <atomic>
#include <functional>

namespace cubrava {

// How a thread other than the view's asks the view to draw again. Requests
// gather in a flag; the first one after each display wakes the view thread's
// event loop (an Expose event sent by platform/WindowWake, which GLUT answers
// with a display). The view thread calls take as the first thing in every
// display, so the next request wakes it again.
class RedisplayRequest {
public:
    // wake: makes the view's event loop run a display; whether it could be sent.
    explicit RedisplayRequest(std::function<bool()> wake);

    // Any thread.
    void request();

    // The view thread, at the start of each display: clears the flag; whether
    // a request was waiting.
    bool take();

    bool pending() const { return wanted_.load(); }

private:
    std::function<bool()> wake_;
    std::atomic<bool> wanted_ { false };
};

} // namespace cubrava
