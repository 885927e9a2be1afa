#pragma once

#include "editor/EditorView.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include <utility>

// Where the view's camera shows a point of the pit, in window coordinates
// from the top left of a square window `side` pixels wide, by OpenGL's own
// matrices (a rendering context must be current).
inline std::pair<int, int> projectToWindow(const cubrava::EditorView& view, int side, double x, double y, double z)
{
    GLdouble projection[16], model[16];
    GLint viewport[4] = { 0, 0, side, side };
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    view.cameraControl().applyProjection(cubrava::ViewRect { 0, 0, side, side });
    glGetDoublev(GL_PROJECTION_MATRIX, projection);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();
    view.cameraControl().applyCamera();
    glGetDoublev(GL_MODELVIEW_MATRIX, model);
    glPopMatrix();
    GLdouble wx = 0, wy = 0, wz = 0;
    gluProject(x, y, z, model, projection, viewport, &wx, &wy, &wz);
    return { static_cast<int>(wx), side - 1 - static_cast<int>(wy) };
}
