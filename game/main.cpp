// Cubrava's entry point: the splash, then the game inside GLUT's loop. Fatal
// errors from anywhere end here: message box, standard error, status 1.

#include "Game.h"
#include "GlutScreen.h"
#include "audio/DspPreload.h"
#include "data/FatalError.h"
#include "data/PlayerFolder.h"
#include "data/ProcessWide.h"
#include "platform/CommandLine.h"
#include "platform/DisplayProbe.h"
#include "platform/FatalErrorReport.h"
#include "platform/ImageFailures.h"
#include "platform/InputState.h"
#include "platform/SplashWindow.h"
#include "render/GlutDisplay.h"
#include "render/GlutInput.h"
#include "render/GlutTimers.h"

#include <GL/freeglut.h>

#include <chrono>
#include <cstdlib>
#include <ctime>
#include <iostream>
#include <memory>
#include <optional>
#include <thread>

using namespace cubrava;

namespace {

const ProgramDescription CommandLineHelp { "cubrava", "Cubrava, a three-dimensional falling-block puzzle game.",
    { { "windowed", "start in a window instead of full screen" } }, { playerFolderHelp() } };

// --windowed: the first display is a window, as after F6.
bool startWindowed = false;

void registerCallbacks();
void onIdle();
[[noreturn]] void fail(const std::exception_ptr& error);

// Built by the start routine; destroyed at exit, which stops the music thread
// before its samples go.
struct Program {
    GlutTimers timers { fail };
    GlutDisplay display;
    GlutScreen screen { registerCallbacks, onIdle };
    std::unique_ptr<Game> game;
};

std::unique_ptr<Program> program;

// The one way out after a fatal error: the message in a box and on standard
// error, then status 1.
[[noreturn]] void fail(const std::exception_ptr& error)
{
    std::string message = UnknownErrorMessage;
    try {
        std::rethrow_exception(error);
    } catch (const FatalError& e) {
        message = e.what();
    } catch (...) {
    }
    if (program)
        program->screen.closeAll();
    reportFatalError(message);
    std::exit(1);
}

// Every callback catches at its edge: nothing may unwind through the toolkit.
template <typename Action> void guarded(Action action)
{
    try {
        action();
    } catch (...) {
        fail(std::current_exception());
    }
}

Game& game()
{
    return *program->game;
}

void onDisplay()
{
    guarded([] {
        if (!game().displayReady())
            return;
        game().drawFrame();
        program->screen.present();
        // Images that failed to load while the frame was drawn are shown now
        // that it is on screen.
        showImageFailures();
    });
}

void onReshape(int width, int height)
{
    guarded([&] {
        game().reshape(width, height);
        if (!game().displayReady())
            return;
        game().drawFrame();
        program->screen.present();
        showImageFailures();
    });
}

void onIdle()
{
    guarded([] { game().idle(); });
}

// The modifiers held now, Caps Lock told apart from a held Shift.
Modifiers keyModifiers()
{
    return modifiersFromGlut(glutGetModifiers(), currentInputState());
}

void onKeyboard(unsigned char key, int, int)
{
    guarded([&] { game().keyboard(key, keyModifiers()); });
}

void onKeyboardUp(unsigned char key, int, int)
{
    guarded([&] { game().keyboardUp(key); });
}

void onSpecial(int code, int, int)
{
    const std::optional<SpecialKey> key = specialKeyFromGlut(code);
    if (!key)
        return;
    guarded([&] { game().special(*key, keyModifiers()); });
}

void onMouse(int button, int state, int x, int y)
{
    guarded([&] { game().mouse(mouseButtonFromGlut(button), buttonStateFromGlut(state), x, y); });
}

void onMotion(int x, int y)
{
    guarded([&] { game().motion(x, y); });
}

void registerCallbacks()
{
    glClearColor(0, 0, 0, 0);
    glutDisplayFunc(onDisplay);
    glutReshapeFunc(onReshape);
    glutKeyboardFunc(onKeyboard);
    glutKeyboardUpFunc(onKeyboardUp);
    glutSpecialFunc(onSpecial);
    glutMouseFunc(onMouse);
    glutMotionFunc(onMotion);
    glutPassiveMotionFunc(onMotion);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
}

// Keeps the splash on top and alive until it closes itself.
void pumpSplashTimer(int)
{
    guarded([] {
        if (pumpSplash())
            glutTimerFunc(100, pumpSplashTimer, 0);
    });
}

// While the splash waits for its tick, with nothing shown: GLUT connects and
// loads the renderer behind it, which takes a good tenth of a second.
void prepareGlut()
{
    int argc = 1;
    char name[] = "Cubrava";
    char* argv[] = { name, nullptr };
    glutInit(&argc, argv);
}

void startGame()
{
    guarded([] {
        program = std::make_unique<Program>();
        GameServices services { program->timers, program->display, program->screen,
            [](int status) { std::exit(status); } };
        services.sleep = [](std::chrono::microseconds wait) { std::this_thread::sleep_for(wait); };
        program->game = std::make_unique<Game>(services);

        glutInitDisplayMode(GLUT_RGBA | GLUT_DOUBLE | GLUT_DEPTH | GLUT_STENCIL);
        program->screen.prepare();
        if (startWindowed)
            program->screen.openWindow();
        else
            program->screen.enterFullScreen();
        game().startUp();
        glutTimerFunc(100, pumpSplashTimer, 0);
    });
    glutMainLoop();
}

} // namespace

int main(int argc, char** argv)
{
    const CommandLine line = parseCommandLine(argc, argv, CommandLineHelp, std::cout, std::cerr);
    if (line.exitStatus)
        return *line.exitStatus;
    startWindowed = line.has("windowed");
    restartWithDspEmulation(argv);

    cubrava::srand(static_cast<std::uint32_t>(std::time(nullptr)));
    const HeldDisplay display;
    if (!display) {
        std::cerr << "Cubrava needs an X display, and none could be opened (is DISPLAY set?)." << std::endl;
        return 1;
    }
    guarded([] {
        enterPlayerFolder(CUBRAVA_DATA_FROM_PROGRAM);
        runSplash(startGame, prepareGlut);
    });
    return 0;
}
