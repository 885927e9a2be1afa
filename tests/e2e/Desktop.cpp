#include "Desktop.h"

#include <X11/XKBlib.h>
#include <X11/Xlib.h>

#include <cstdlib>
#include <stdexcept>

namespace cubrava::e2e {

namespace {

void run(const std::string& command)
{
    if (std::system(command.c_str()) != 0)
        throw std::runtime_error("failed: " + command);
}

// Indicators of the X server's keyboard: Caps Lock first, Num Lock second.
constexpr unsigned CapsLockIndicator = 1u;
constexpr unsigned NumLockIndicator = 2u;

bool indicatorOn(unsigned indicator)
{
    Display* display = XOpenDisplay(nullptr);
    if (!display)
        return false;
    unsigned state = 0;
    XkbGetIndicatorState(display, XkbUseCoreKbd, &state);
    XCloseDisplay(display);
    return (state & indicator) != 0;
}

} // namespace

void key(const std::string& keys)
{
    run("xdotool key --delay 40 " + keys);
}

void mouseMove(int x, int y)
{
    run("xdotool mousemove " + std::to_string(x) + " " + std::to_string(y));
}

void mouseButton(int button, bool down)
{
    run(std::string("xdotool ") + (down ? "mousedown " : "mouseup ") + std::to_string(button));
}

void holdKey(const std::string& key, bool down)
{
    run(std::string("xdotool ") + (down ? "keydown " : "keyup ") + key);
}

void focusWindow(unsigned long id)
{
    run("xdotool windowfocus --sync " + std::to_string(id));
}

void setNumLock(bool on)
{
    if (indicatorOn(NumLockIndicator) != on)
        run("xdotool key Num_Lock");
}

bool setCapsLock(bool on)
{
    if (indicatorOn(CapsLockIndicator) != on)
        run("xdotool key Caps_Lock");
    return indicatorOn(CapsLockIndicator) == on;
}

std::optional<WindowInfo> waitForWindow(const std::string& title, std::chrono::milliseconds limit)
{
    const auto deadline = std::chrono::steady_clock::now() + limit;
    for (;;) {
        auto info = findWindowByTitle(title);
        if (info && info->viewable)
            return info;
        if (std::chrono::steady_clock::now() >= deadline)
            return std::nullopt;
        pause(50);
    }
}

} // namespace cubrava::e2e
