#pragma once

#include "platform/WindowLookup.h"

#include <chrono>
#include <optional>
#include <string>
#include <thread>

namespace cubrava::e2e {

// Input through xdotool, as a player's would arrive.
void key(const std::string& keys);
void mouseMove(int x, int y);
// Presses or releases a button (1 left, 3 right) or holds a key down, through
// XTEST as a drag or a held key would arrive.
void mouseButton(int button, bool down);
void holdKey(const std::string& key, bool down);
// Sets NumLock so keypad keys arrive as digits (on) or as arrows (off).
void setNumLock(bool on);
// Sets Caps Lock; returns whether the keyboard then shows it so.
bool setCapsLock(bool on);

// Gives a window the keyboard. Without a window manager nobody else does.
void focusWindow(unsigned long id);

// Waits until a viewable window with this title exists.
std::optional<WindowInfo> waitForWindow(const std::string& title, std::chrono::milliseconds limit);

inline void pause(int ms)
{
    std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

} // namespace cubrava::e2e
