#pragma once

#include "game/Screen.h"

#include <GL/freeglut.h>

#include <optional>

namespace cubrava::test {

constexpr int Width = 1024;
constexpr int Height = 768;

// Every display is a new GLUT window, full screen or not.
class WindowScreen : public Screen {
public:
    void enterFullScreen() override
    {
        open();
        full_ = true;
    }
    void leaveFullScreen() override
    {
        close();
        full_ = false;
    }
    bool fullScreen() const override { return full_; }
    void openWindow() override { open(); }
    void closeWindow() override { close(); }
    void registerCallbacks() override
    {
        glutDisplayFunc([] {});
    }
    void setPointerVisible(bool) override { }
    void setIdleWanted(bool) override { }
    std::optional<PointerPlace> pointerPlace() const override { return std::nullopt; }
    bool keepsBackBuffer() const override { return keepsBack; }

    // Frames are read back, never shown: the back buffer stays as drawn.
    bool keepsBack = false;

private:
    void open()
    {
        glutInitWindowSize(Width, Height);
        window_ = glutCreateWindow("Cubrava");
    }
    void close()
    {
        glutDestroyWindow(window_);
        window_ = 0;
    }

    int window_ = 0;
    bool full_ = false;
};

} // namespace cubrava::test
