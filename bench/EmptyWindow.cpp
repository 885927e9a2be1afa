// The floor for the game's memory: an empty GLUT window of the game's size
// on the same renderer, cleared and swapped again and again until it is
// told to go (session_bench reads its peak resident set meanwhile).
#include <GL/freeglut.h>

namespace {

void display()
{
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT | GL_STENCIL_BUFFER_BIT);
    glutSwapBuffers();
    glutPostRedisplay();
}

} // namespace

int main(int argc, char** argv)
{
    glutInit(&argc, argv);
    glutInitDisplayMode(GLUT_RGBA | GLUT_DOUBLE | GLUT_DEPTH | GLUT_STENCIL);
    glutInitWindowSize(1024, 768);
    glutInitWindowPosition(0, 0);
    glutCreateWindow("Empty");
    glutDisplayFunc(display);
    glutMainLoop();
    return 0;
}
