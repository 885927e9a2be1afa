#include "platform/WindowWake.h"

#include "platform/WindowLookup.h"
#include "platform/XErrorTrap.h"

#include <X11/Xlib.h>
#include <cstdlib>
#include <optional>
#include <utility>

namespace cubrava {

void enableThreadedX()
{
    XInitThreads();
}

WindowWake::WindowWake(std::string title)
    : title_(std::move(title))
{
}

WindowWake::~WindowWake()
{
    if (display_)
        XCloseDisplay(static_cast<Display*>(display_));
}

void WindowWake::setWindow(unsigned long window)
{
    std::lock_guard<std::mutex> lock(mutex_);
    window_ = window;
    given_ = true;
}

bool WindowWake::wake()
{
    std::lock_guard<std::mutex> lock(mutex_);
    if (!display_) {
        const char* name = std::getenv("DISPLAY");
        display_ = name && *name ? XOpenDisplay(name) : nullptr;
        if (!display_)
            return false;
    }
    if (window_ == 0) {
        if (given_)
            return false;
        std::optional<WindowInfo> found = findWindowByTitle(title_);
        if (!found)
            return false;
        window_ = found->id;
    }

    Display* display = static_cast<Display*>(display_);
    XEvent event {};
    event.xexpose.type = Expose;
    event.xexpose.display = display;
    event.xexpose.window = window_;
    event.xexpose.width = 1;
    event.xexpose.height = 1;
    event.xexpose.count = 0; // the last of its series: GLUT acts only on that one
    XErrorTrap trap(display);
    XSendEvent(display, window_, False, ExposureMask, &event);
    if (trap.failed()) {
        window_ = 0; // gone; a new window of that title may come
        return false;
    }
    return true;
}

} // namespace cubrava
