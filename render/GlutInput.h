#pragma once

#include "platform/Input.h"
#include "platform/InputState.h"

#include <optional>

namespace cubrava {

// GLUT's input codes in the programs' own terms, for the GLUT callbacks of
// both programs: past them nothing sees a GLUT code.

// Nothing for a key no binding uses, and for the modifier keys, which
// freeglut also reports as special keys of their own.
std::optional<SpecialKey> specialKeyFromGlut(int code);
MouseButton mouseButtonFromGlut(int button);
ButtonState buttonStateFromGlut(int state);

// GLUT's modifier bits with the locks taken out. On X11 GLUT reports Num Lock
// as Super, and Caps Lock as a held Shift: given the keyboard's own state, a
// Shift only Caps Lock explains is dropped. Without that state the Shift bit
// is taken as it is.
Modifiers modifiersFromGlut(int glutBits, const std::optional<InputState>& keyboard);

} // namespace cubrava
