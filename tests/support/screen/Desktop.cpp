#include "Desktop.h"

#include "GameProcess.h"

#include <X11/XKBlib.h>
#include <X11/Xlib.h>

#include <cstdlib>
#include <stdexcept>
#include <thread>

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

void typeText(const std::string& text)
{
    run("xdotool type --delay 40 '" + text + "'");
}

void mouseMove(int x, int y)
{
    run("xdotool mousemove " + std::to_string(x) + " " + std::to_string(y));
}

void click(int x, int y)
{
    run("xdotool mousemove " + std::to_string(x) + " " + std::to_string(y) + " click 1");
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

bool waitUntil(const std::function<bool()>& condition, std::chrono::milliseconds limit)
{
    const auto deadline = std::chrono::steady_clock::now() + limit;
    while (!condition()) {
        if (std::chrono::steady_clock::now() >= deadline)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    return true;
}

std::optional<WindowInfo> waitForWindow(const std::string& title, std::chrono::milliseconds limit)
{
    std::optional<WindowInfo> info;
    if (!waitUntil(
            [&] {
                info = findWindowByTitle(title);
                return info && info->viewable;
            },
            limit))
        return std::nullopt;
    return info;
}

bool waitForNoWindow(const std::string& title, std::chrono::milliseconds limit)
{
    return waitUntil(
        [&] {
            auto info = findWindowByTitle(title);
            return !info || !info->viewable;
        },
        limit);
}

namespace {

// An Expose of the whole window, sent as the X server would send it.
void exposeWindow(unsigned long id)
{
    Display* display = XOpenDisplay(nullptr);
    if (!display)
        throw std::runtime_error("no display to send an Expose to");
    XWindowAttributes attributes {};
    XGetWindowAttributes(display, id, &attributes);
    XEvent event {};
    event.xexpose.type = Expose;
    event.xexpose.window = id;
    event.xexpose.width = attributes.width;
    event.xexpose.height = attributes.height;
    XSendEvent(display, id, False, ExposureMask, &event);
    XCloseDisplay(display);
}

} // namespace

bool redrawn(const GameProcess& game, unsigned long window)
{
    // A frame counted just after the count is read may have begun before this
    // call; the frame after it cannot have.
    for (int round = 0; round < 2; ++round) {
        const unsigned long shown = game.frames();
        exposeWindow(window);
        if (!waitUntil([&] { return game.frames() > shown; }))
            return false;
    }
    return true;
}

bool framesPassed(const GameProcess& game, unsigned long frames)
{
    const unsigned long shown = game.frames();
    return waitUntil([&] { return game.frames() >= shown + frames; });
}

} // namespace cubrava::e2e
