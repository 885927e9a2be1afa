#include "GlutScreen.h"

#include "platform/InputState.h"
#include "platform/WindowIcon.h"

// glXCopySubBufferMESA, called by name so a frame counter can stand in for it.
#define GLX_GLXEXT_PROTOTYPES
#include <GL/freeglut.h>
#include <GL/glx.h>
#include <GL/glxext.h>

#include <cstring>
#include <utility>

namespace cubrava {

namespace {

const char* const Title = "Cubrava";

// GLUT makes a new window the current one; it gets the program's icon
// through GLUT's own connection.
void giveIconToNewWindow()
{
    setWindowIcon(glXGetCurrentDisplay(), glXGetCurrentDrawable());
}

} // namespace

GlutScreen::GlutScreen(std::function<void()> registerCallbacks, void (*idle)())
    : registerCallbacks_(std::move(registerCallbacks))
    , idle_(idle)
{
}

void GlutScreen::prepare()
{
    screenWidth_ = glutGet(GLUT_SCREEN_WIDTH);
    screenHeight_ = glutGet(GLUT_SCREEN_HEIGHT);
    windowWidth_ = static_cast<int>(screenWidth_ * 0.8);
    windowHeight_ = static_cast<int>(screenHeight_ * 0.8);
}

void GlutScreen::enterFullScreen()
{
    if (glutGameModeGet(GLUT_GAME_MODE_POSSIBLE)) {
        const int id = glutEnterGameMode();
        if (id > 0 && glutGameModeGet(GLUT_GAME_MODE_ACTIVE)) {
            gameMode_ = true;
            glutSetWindowTitle(Title);
            giveIconToNewWindow();
            return;
        }
    }
    glutInitWindowPosition(0, 0);
    glutInitWindowSize(screenWidth_, screenHeight_);
    coveringWindow_ = glutCreateWindow(Title);
    giveIconToNewWindow();
    // Without a window manager the requested place is not always kept.
    glutPositionWindow(0, 0);
    glutReshapeWindow(screenWidth_, screenHeight_);
}

void GlutScreen::leaveFullScreen()
{
    if (gameMode_) {
        glutLeaveGameMode();
        gameMode_ = false;
    }
    if (coveringWindow_ != 0) {
        glutDestroyWindow(coveringWindow_);
        coveringWindow_ = 0;
    }
}

void GlutScreen::openWindow()
{
    glutInitWindowSize(windowWidth_, windowHeight_);
    glutInitWindowPosition((screenWidth_ - windowWidth_) / 2, (screenHeight_ - windowHeight_) / 2);
    window_ = glutCreateWindow(Title);
    giveIconToNewWindow();
}

void GlutScreen::closeWindow()
{
    if (window_ != 0) {
        glutDestroyWindow(window_);
        window_ = 0;
    }
}

void GlutScreen::registerCallbacks()
{
    registerCallbacks_();
}

void GlutScreen::setPointerVisible(bool visible)
{
    glutSetCursor(visible ? GLUT_CURSOR_INHERIT : GLUT_CURSOR_NONE);
}

void GlutScreen::setIdleWanted(bool wanted)
{
    glutIdleFunc(wanted ? idle_ : nullptr);
}

std::optional<PointerPlace> GlutScreen::pointerPlace() const
{
    const std::optional<InputState> input = currentInputState();
    if (!input)
        return std::nullopt;
    return PointerPlace { input->x - glutGet(GLUT_WINDOW_X), input->y - glutGet(GLUT_WINDOW_Y) };
}

void GlutScreen::closeAll()
{
    leaveFullScreen();
    closeWindow();
}

bool GlutScreen::keepsBackBuffer() const
{
    if (copiesBackBuffer_ < 0) {
        Display* display = glXGetCurrentDisplay();
        const char* extensions = display ? glXQueryExtensionsString(display, DefaultScreen(display)) : nullptr;
        copiesBackBuffer_ = extensions && std::strstr(extensions, "GLX_MESA_copy_sub_buffer") ? 1 : 0;
    }
    return copiesBackBuffer_ == 1;
}

// A swap may leave anything in the back buffer; a copy leaves it as drawn.
void GlutScreen::present() const
{
    if (!keepsBackBuffer()) {
        glutSwapBuffers();
        return;
    }
    glXCopySubBufferMESA(
        glXGetCurrentDisplay(), glXGetCurrentDrawable(), 0, 0, glutGet(GLUT_WINDOW_WIDTH), glutGet(GLUT_WINDOW_HEIGHT));
}

} // namespace cubrava
