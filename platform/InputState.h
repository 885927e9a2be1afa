#pragma once

#include <optional>

namespace cubrava {

// The pointer and the keyboard's modifiers as the X server has them now.
struct InputState {
    int x = 0; // on the screen, from its top left
    int y = 0;
    bool shiftHeld = false; // a Shift key is down
    bool capsLock = false; // Caps Lock is on
};

// Nothing when no display can be opened. Main thread only.
std::optional<InputState> currentInputState();

} // namespace cubrava
