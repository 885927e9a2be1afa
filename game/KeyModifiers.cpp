#include "KeyModifiers.h"

#include <GL/freeglut.h>

namespace cubrava {

int heldModifiers(int glutModifiers, const std::optional<InputState>& input)
{
    if (input && input->capsLock && !input->shiftHeld)
        return glutModifiers & ~GLUT_ACTIVE_SHIFT;
    return glutModifiers;
}

} // namespace cubrava
