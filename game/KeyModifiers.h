#pragma once

#include "platform/InputState.h"

#include <optional>

namespace cubrava {

// GLUT on X11 reports Caps Lock as a held Shift. Given the keyboard's own
// state, a Shift bit that only Caps Lock explains is dropped: Caps Lock is a
// lock, like Num Lock, and never turns Alt + key into Shift + Alt + key.
// Without that state GLUT's bits are taken as they are.
int heldModifiers(int glutModifiers, const std::optional<InputState>& input);

} // namespace cubrava
