#pragma once

#include <mutex>
#include <string>

namespace cubrava {

// Makes Xlib safe to use from several threads. A program that uses X from two
// threads (a toolkit on one, GLUT on another, or a wake from a thread other
// than GLUT's) calls it first, before any other X call.
void enableThreadedX();

// Wakes the event loop of a window that another thread runs, by sending the
// window an Expose event, which GLUT answers with a display. The window is
// the one given by its owner, or else found by its title on first use (and
// again after it vanished); the event goes over a display connection of this
// object's own, opened once. Any thread may call wake, once the program has
// called enableThreadedX.
class WindowWake {
public:
    explicit WindowWake(std::string title);
    ~WindowWake();
    WindowWake(const WindowWake&) = delete;
    WindowWake& operator=(const WindowWake&) = delete;

    // The window to wake, from the thread that made it: another window of
    // the same title (a second editor's) is never taken for it.
    void setWindow(unsigned long window);

    // Whether the event was sent: false without a display, before the window
    // exists, and after it is gone.
    bool wake();

private:
    std::mutex mutex_;
    std::string title_;
    // The Display, kept opaque here so that Xlib's macros stay out of the callers.
    void* display_ = nullptr;
    unsigned long window_ = 0;
    bool given_ = false;
};

} // namespace cubrava
