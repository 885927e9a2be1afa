#include "GlutDisplay.h"

#include <GL/freeglut.h>

namespace cubrava {

void GlutDisplay::postRedisplay()
{
    // freeglut ends the process when asked to redisplay with no window.
    if (glutGetWindow() != 0)
        glutPostRedisplay();
}

void GlutDisplay::warpPointer(int x, int y)
{
    if (glutGetWindow() != 0)
        glutWarpPointer(x, y);
}

int GlutDisplay::windowWidth() const
{
    return glutGet(GLUT_WINDOW_WIDTH);
}

int GlutDisplay::windowHeight() const
{
    return glutGet(GLUT_WINDOW_HEIGHT);
}

unsigned GlutDisplay::newList()
{
    return glGenLists(1);
}

void GlutDisplay::deleteList(unsigned list)
{
    if (list != 0)
        glDeleteLists(list, 1);
}

void GlutDisplay::compileList(unsigned list, const std::function<void()>& content)
{
    glNewList(list, GL_COMPILE);
    content();
    glEndList();
}

void GlutDisplay::callList(unsigned list)
{
    glCallList(list);
}

} // namespace cubrava
