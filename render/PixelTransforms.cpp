#include "PixelTransforms.h"

#include <GL/gl.h>

namespace cubrava {

PixelTransforms::PixelTransforms(const ViewRect& viewport)
{
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    glOrtho(0.0, viewport.width, 0.0, viewport.height, -1.0, 1.0);
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();
}

PixelTransforms::~PixelTransforms()
{
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
    glPopMatrix();
}

} // namespace cubrava
