#include "platform/DisplayProbe.h"

#include <FL/x.H>
#include <X11/Xlib.h>
#include <cstdlib>

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

} // namespace cubrava
