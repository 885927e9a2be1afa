#include "GlutInput.h"

#include <GL/freeglut.h>

namespace cubrava {

std::optional<SpecialKey> specialKeyFromGlut(int code)
{
    switch (code) {
    case GLUT_KEY_F1:
        return SpecialKey::F1;
    case GLUT_KEY_F5:
        return SpecialKey::F5;
    case GLUT_KEY_F6:
        return SpecialKey::F6;
    case GLUT_KEY_LEFT:
        return SpecialKey::Left;
    case GLUT_KEY_UP:
        return SpecialKey::Up;
    case GLUT_KEY_RIGHT:
        return SpecialKey::Right;
    case GLUT_KEY_DOWN:
        return SpecialKey::Down;
    case GLUT_KEY_PAGE_UP:
        return SpecialKey::PageUp;
    case GLUT_KEY_PAGE_DOWN:
        return SpecialKey::PageDown;
    case GLUT_KEY_HOME:
        return SpecialKey::Home;
    case GLUT_KEY_END:
        return SpecialKey::End;
    case GLUT_KEY_INSERT:
        return SpecialKey::Insert;
    default:
        return std::nullopt;
    }
}

MouseButton mouseButtonFromGlut(int button)
{
    switch (button) {
    case GLUT_LEFT_BUTTON:
        return MouseButton::Left;
    case GLUT_MIDDLE_BUTTON:
        return MouseButton::Middle;
    case GLUT_RIGHT_BUTTON:
        return MouseButton::Right;
    // freeglut's numbers for the wheel, which it reports as buttons.
    case 3:
        return MouseButton::WheelUp;
    case 4:
        return MouseButton::WheelDown;
    default:
        return MouseButton::Other;
    }
}

ButtonState buttonStateFromGlut(int state)
{
    return state == GLUT_DOWN ? ButtonState::Down : ButtonState::Up;
}

Modifiers modifiersFromGlut(int glutBits, const std::optional<InputState>& keyboard)
{
    Modifiers held;
    held.shift = (glutBits & GLUT_ACTIVE_SHIFT) != 0 && !(keyboard && keyboard->capsLock && !keyboard->shiftHeld);
    held.control = (glutBits & GLUT_ACTIVE_CTRL) != 0;
    held.alt = (glutBits & GLUT_ACTIVE_ALT) != 0;
    return held;
}

} // namespace cubrava
