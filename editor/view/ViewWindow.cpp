#include "ViewWindow.h"

#include "EditorView.h"
#include "platform/InputState.h"
#include "platform/WindowIcon.h"
#include "render/GlutInput.h"

#include <GL/freeglut.h>
#include <GL/glx.h>

#include <optional>

namespace cubrava {

const char* const ViewWindowTitle = "Cubrava World Editor";

void GlutViewWindowService::setPointerVisible(bool visible)
{
    if (glutGetWindow() != 0)
        glutSetCursor(visible ? GLUT_CURSOR_INHERIT : GLUT_CURSOR_NONE);
}

ViewWindow::ViewWindow(EditorView& view)
    : view_(view)
{
}

ViewWindow::~ViewWindow()
{
    // freeglut closes what is left of its windows when the process exits.
    if (window_ != 0 && glutGet(GLUT_INIT_STATE)) {
        glutSetWindow(window_);
        glutCloseFuncUcall(nullptr, nullptr);
        glutIdleFuncUcall(nullptr, nullptr);
    }
}

void ViewWindow::create()
{
    const int side = static_cast<int>(0.6 * glutGet(GLUT_SCREEN_WIDTH));
    open(10, 50, side, side);
}

void ViewWindow::open(int x, int y, int width, int height)
{
    // The stencil buffer marks where the edited layer's solid cubes show; a
    // display without one still gets a view, drawn the slower way.
    glutInitDisplayMode(GLUT_RGB | GLUT_DOUBLE | GLUT_DEPTH | GLUT_STENCIL);
    if (!glutGet(GLUT_DISPLAY_MODE_POSSIBLE))
        glutInitDisplayMode(GLUT_RGB | GLUT_DOUBLE | GLUT_DEPTH);
    glutInitWindowSize(width, height);
    glutInitWindowPosition(x, y);
    window_ = glutCreateWindow(ViewWindowTitle);
    // The new window is GLUT's current one; the icon goes through GLUT's own
    // connection.
    xid_ = glXGetCurrentDrawable();
    setWindowIcon(glXGetCurrentDisplay(), xid_);

    glutDisplayFuncUcall(onDisplay, this);
    glutReshapeFuncUcall(onReshape, this);
    glutKeyboardFuncUcall(onKeyboard, this);
    glutKeyboardUpFuncUcall(onKeyboardUp, this);
    glutSpecialFuncUcall(onSpecial, this);
    glutMouseFuncUcall(onMouse, this);
    glutMotionFuncUcall(onMotion, this);
    glutPassiveMotionFuncUcall(onPassiveMotion, this);
    glutCloseFuncUcall(onClose, this);
    view_.initGl();
    context_ = std::make_unique<RenderContext>(lists_);
    if (!view_.editMode())
        glutSetCursor(GLUT_CURSOR_NONE);
    if (onOpened_)
        onOpened_(xid_);
}

void ViewWindow::fail(std::exception_ptr error)
{
    {
        std::lock_guard<std::mutex> lock(failureMutex_);
        if (!failure_)
            failure_ = error;
    }
    glutLeaveMainLoop();
}

std::exception_ptr ViewWindow::failure() const
{
    std::lock_guard<std::mutex> lock(failureMutex_);
    return failure_;
}

template <typename Action> void ViewWindow::guarded(void* self, Action action)
{
    ViewWindow& window = *static_cast<ViewWindow*>(self);
    try {
        action(window.view_);
    } catch (...) {
        window.fail(std::current_exception());
    }
}

void ViewWindow::onDisplay(void* self)
{
    guarded(self, [self](EditorView& view) {
        view.display(static_cast<ViewWindow*>(self)->context());
        glutSwapBuffers();
        if (static_cast<ViewWindow*>(self)->endRequested())
            glutLeaveMainLoop();
        else
            glutIdleFuncUcall(onIdle, self);
    });
}

// Runs while the view has work for idle moments: GLUT calls it only when no
// event waits, and the loop sleeps again once it is gone.
void ViewWindow::onIdle(void* self)
{
    ViewWindow& window = *static_cast<ViewWindow*>(self);
    bool more = false;
    guarded(self, [&](EditorView& view) {
        if (window.window_ == 0 || !window.context_)
            return;
        glutSetWindow(window.window_);
        more = view.prepareAhead(*window.context_);
    });
    if (!more)
        glutIdleFuncUcall(nullptr, nullptr);
}

void ViewWindow::onReshape(int width, int height, void* self)
{
    guarded(self, [&](EditorView& view) {
        glViewport(0, 0, width, height);
        view.reshape(width, height);
        view.display(static_cast<ViewWindow*>(self)->context());
        glutSwapBuffers();
    });
}

void ViewWindow::onKeyboard(unsigned char key, int, int, void* self)
{
    const Modifiers held = modifiersFromGlut(glutGetModifiers(), currentInputState());
    guarded(self, [&](EditorView& view) { view.keyDown(key, held); });
}

void ViewWindow::onKeyboardUp(unsigned char key, int, int, void* self)
{
    guarded(self, [&](EditorView& view) { view.keyUp(key); });
}

void ViewWindow::onSpecial(int code, int, int, void* self)
{
    const std::optional<SpecialKey> key = specialKeyFromGlut(code);
    if (!key)
        return;
    guarded(self, [&](EditorView& view) { view.specialKey(*key); });
}

void ViewWindow::onMouse(int button, int state, int x, int y, void* self)
{
    guarded(self,
        [&](EditorView& view) { view.mouseButton(mouseButtonFromGlut(button), buttonStateFromGlut(state), x, y); });
}

void ViewWindow::onMotion(int x, int y, void* self)
{
    guarded(self, [&](EditorView& view) { view.mouseDrag(x, y); });
}

void ViewWindow::onPassiveMotion(int x, int y, void* self)
{
    guarded(self, [&](EditorView& view) { view.mouseHover(x, y); });
}

// GLUT makes the closing window current first: its objects go while their
// rendering context still exists.
void ViewWindow::onClose(void* self)
{
    ViewWindow& window = *static_cast<ViewWindow*>(self);
    const int x = glutGet(GLUT_WINDOW_X), y = glutGet(GLUT_WINDOW_Y);
    const int width = glutGet(GLUT_WINDOW_WIDTH), height = glutGet(GLUT_WINDOW_HEIGHT);
    window.context_.reset();
    window.window_ = 0;
    if (!window.reopens_ || window.endRequested() || window.failure())
        return;
    // Made before GLUT lets the closed one go, so its loop always has a window.
    guarded(self, [&](EditorView&) { window.open(x, y, width, height); });
}

} // namespace cubrava
