#include "platform/SplashControl.h"

#include "platform/SplashWindow.h"

#include <FL/Fl.H>
#include <FL/x.H>
#include <exception>

namespace cubrava {

namespace {

struct Splash {
    std::unique_ptr<Fl_Window> window;
    std::function<void()> start;
    bool started = false;
    bool startReturned = false;
    std::exception_ptr failure;
};

Splash& splash()
{
    static Splash instance;
    return instance;
}

void onStartTime(void*)
{
    Splash& s = splash();
    if (s.started)
        return;
    s.started = true;
    try {
        s.start();
    } catch (...) {
        s.failure = std::current_exception();
        closeSplash();
    }
    s.startReturned = true;
}

void onCloseTime(void*)
{
    closeSplash();
}

} // namespace

void armSplash(std::unique_ptr<Fl_Window> window, const std::function<void()>& start)
{
    Splash& s = splash();
    s.window = std::move(window);
    s.start = start;
    s.started = s.startReturned = false;
    s.failure = nullptr;
    Fl::add_timeout(1.0, onStartTime);
    Fl::add_timeout(2.0, onCloseTime);
}

void waitForSplash()
{
    Splash& s = splash();
    // Bounded: once `start` has returned from inside a timeout, the loop may
    // have nothing more to wake it.
    while (!s.startReturned || s.window)
        Fl::wait(0.1);
    s.start = nullptr;
    if (s.failure)
        std::rethrow_exception(s.failure);
}

bool pumpSplash()
{
    Splash& s = splash();
    if (!s.window)
        return false;
    // Windows opened after the splash (the game's) would cover it.
    XRaiseWindow(fl_display, fl_xid(s.window.get()));
    Fl::check();
    return s.window != nullptr;
}

void closeSplash()
{
    Splash& s = splash();
    if (!s.window)
        return;
    Fl::remove_timeout(onCloseTime);
    s.window->hide();
    s.window.reset();
    Fl::flush();
}

} // namespace cubrava
