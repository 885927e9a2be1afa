#include "platform/InputState.h"

#include <X11/Xlib.h>

#include <cstdlib>
#include <memory>

namespace cubrava {

namespace {

struct DisplayCloser {
    void operator()(Display* display) const { XCloseDisplay(display); }
};

// A connection of our own, opened on first use and kept: the toolkit's is
// not ours to share.
Display* connection()
{
    static const std::unique_ptr<Display, DisplayCloser> display = [] {
        const char* name = std::getenv("DISPLAY");
        return std::unique_ptr<Display, DisplayCloser>(name && *name ? XOpenDisplay(name) : nullptr);
    }();
    return display.get();
}

} // namespace

std::optional<InputState> currentInputState()
{
    Display* display = connection();
    if (!display)
        return std::nullopt;
    Window root = 0, child = 0;
    int rootX = 0, rootY = 0, windowX = 0, windowY = 0;
    unsigned mask = 0;
    if (!XQueryPointer(display, DefaultRootWindow(display), &root, &child, &rootX, &rootY, &windowX, &windowY, &mask))
        return std::nullopt;
    InputState state;
    state.x = rootX;
    state.y = rootY;
    state.shiftHeld = (mask & ShiftMask) != 0;
    state.capsLock = (mask & LockMask) != 0;
    return state;
}

} // namespace cubrava
