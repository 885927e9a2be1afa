#pragma once

// What the test programs of the editing view on a real rendering context share.

#include "editor/view/EditorView.h"
#include "editor/view/GlutEditorView.h"
#include "editor/view/ViewWindow.h"

#include <GL/freeglut.h>
#include <GL/gl.h>
#include <GL/glu.h>

#include <gtest/gtest.h>

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

// The one view window the program's tests draw in, as the view thread has
// one: the views, the window's width and its RenderContext, while they run.
inline cubrava::GlutEditorView* screen = nullptr;
inline int side = 0;
inline cubrava::RenderContext* context = nullptr;

// The main of such a program.
inline int runInViewWindow(int argc, char** argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    glutInit(&argc, argv);
    cubrava::GlutEditorView views([] { return false; });
    cubrava::ViewWindow window(views.view());
    window.create();
    screen = &views;
    side = glutGet(GLUT_WINDOW_WIDTH);
    context = &window.context();
    const int result = RUN_ALL_TESTS();
    screen = nullptr;
    context = nullptr;
    return result;
}
