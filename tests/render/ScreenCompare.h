#pragma once

// For the tests that compare a faster drawing with the reference drawing it
// replaces: a GLUT window to draw in, the picture read back, and the count of
// pixels that tell two pictures apart.

#include <GL/freeglut.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <vector>

// The back buffer's bottom-left width x height pixels, RGB, bottom row first.
inline std::vector<std::uint8_t> readBackBuffer(int width, int height)
{
    glFinish();
    std::vector<std::uint8_t> rgb(static_cast<std::size_t>(width) * height * 3);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadBuffer(GL_BACK);
    glReadPixels(0, 0, width, height, GL_RGB, GL_UNSIGNED_BYTE, rgb.data());
    return rgb;
}

// Pixels where a channel differs by more than three levels of 255: smaller
// differences are rounding, not a change of picture.
inline long differingPixels(const std::vector<std::uint8_t>& a, const std::vector<std::uint8_t>& b)
{
    long count = 0;
    for (std::size_t i = 0; i < a.size(); i += 3) {
        bool differs = false;
        for (std::size_t c = i; c < i + 3; ++c)
            differs = differs || std::abs(a[c] - b[c]) > 3;
        count += differs;
    }
    return count;
}

// Runs the tests with a double-buffered window of the given size current.
inline int runTestsInWindow(int argc, char** argv, int width, int height, const char* title)
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
