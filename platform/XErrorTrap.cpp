#include "platform/XErrorTrap.h"

namespace cubrava {

namespace {

std::mutex trapMutex;
Display* trappedDisplay = nullptr;
XErrorHandler previousHandler = nullptr;
bool trappedFailure = false;

int recordOrPassOn(Display* display, XErrorEvent* event)
{
    if (display == trappedDisplay) {
        trappedFailure = true;
        return 0;
    }
    return previousHandler ? previousHandler(display, event) : 0;
}

} // namespace

XErrorTrap::XErrorTrap(Display* display)
    : lock_(trapMutex)
    , display_(display)
{
    trappedDisplay = display_;
    trappedFailure = false;
    previousHandler = XSetErrorHandler(recordOrPassOn);
}

XErrorTrap::~XErrorTrap()
{
    XSync(display_, False);
    XSetErrorHandler(previousHandler);
    trappedDisplay = nullptr;
}

bool XErrorTrap::failed()
{
    XSync(display_, False);
    return trappedFailure;
}

} // namespace cubrava
