#pragma once

// The main of a test program that draws: its tests run with a double-buffered
// GLUT window of the given size current, at the display's top left.

#include <GL/freeglut.h>
#include <gtest/gtest.h>

inline int runTestsInGlutWindow(int argc, char** argv, int width, int height, const char* title)
{
    ::testing::InitGoogleTest(&argc, argv);
    glutInit(&argc, argv);
    glutInitDisplayMode(GLUT_RGBA | GLUT_DOUBLE | GLUT_DEPTH | GLUT_STENCIL);
    glutInitWindowSize(width, height);
    glutInitWindowPosition(0, 0);
    glutCreateWindow(title);
    glutDisplayFunc([] {});
    glClearColor(0, 0, 0, 0);
    return RUN_ALL_TESTS();
}
