#pragma once

#include "platform/WindowLookup.h"

#include <chrono>
#include <functional>
#include <optional>
#include <string>

namespace cubrava::e2e {

class GameProcess;

// How long any wait for the program may last: generous, so a busy machine
// only makes a test slower, never fail.
constexpr std::chrono::seconds Patience { 30 };

// Input through xdotool, as a player's would arrive.
void key(const std::string& keys);
// Types the text into the focused window, as keys.
void typeText(const std::string& text);
void mouseMove(int x, int y);
// A left click at a point of the screen.
void click(int x, int y);
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

// Polls until the condition holds (true) or the limit has passed (false).
bool waitUntil(const std::function<bool()>& condition, std::chrono::milliseconds limit = Patience);

// Waits until a viewable window with this title exists.
std::optional<WindowInfo> waitForWindow(const std::string& title, std::chrono::milliseconds limit = Patience);

// Waits until no window with this title is viewable.
bool waitForNoWindow(const std::string& title, std::chrono::milliseconds limit = Patience);

// Makes the game (started with the frame counter) draw its window again, as
// uncovering it would, and waits until a frame begun after this call is on the
// screen: what a screenshot shows then is the game's present state.
bool redrawn(const GameProcess& game, unsigned long window);

// Waits until the game has shown this many more frames; a screenshot then
// shows everything the game had done before the call.
bool framesPassed(const GameProcess& game, unsigned long frames);

} // namespace cubrava::e2e
