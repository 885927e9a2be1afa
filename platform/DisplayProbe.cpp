#include "platform/DisplayProbe.h"

#include <FL/x.H>
#include <X11/Xlib.h>

#include <chrono>
#include <cstdlib>
#include <thread>

namespace cubrava {

bool displayAvailable()
{
    if (fl_display)
        return true;
    const char* name = std::getenv("DISPLAY");
    if (!name || !*name)
        return false;
    Display* display = XOpenDisplay(name);
    if (!display)
        return false;
    XCloseDisplay(display);
    return true;
}

HeldDisplay::HeldDisplay()
{
    const char* name = std::getenv("DISPLAY");
    if (!name || !*name)
        return;
    // Another program's last connection may have just closed: a reset lasts
    // a moment, so a refusal is tried again before it counts.
    constexpr int Attempts = 5;
    for (int attempt = 0; attempt < Attempts && !display_; ++attempt) {
        if (attempt > 0)
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
        display_ = XOpenDisplay(name);
    }
}

HeldDisplay::~HeldDisplay()
{
    if (display_)
        XCloseDisplay(static_cast<Display*>(display_));
}

} // namespace cubrava
