// A 1024 x 768 window with the side panel, its menu and a status message over
// a black pit area, for looking at and for screenshot checks. Run it in a
// folder holding fonts/, Config/Status.dat and, if wanted, Textures/.
//
//   hud_demo [--scroll N] [--name TEXT] [--message TEXT]
//
// It starts paused, so the pointer works the menu; the menu's actions are
// printed on standard output ("exit" ends the demo with status 0). A fatal
// error is reported as the game does and ends it with status 1.

#include "data/FatalError.h"
#include "data/LevelDef.h"
#include "platform/DisplayProbe.h"
#include "platform/FatalErrorReport.h"
#include "render/GlutDisplay.h"
#include "render/GlutInput.h"
#include "render/Hud.h"
#include "render/MenuActions.h"
#include "render/RenderContext.h"
#include "render/StatusOverlay.h"

#include <GL/freeglut.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>

using namespace cubrava;

namespace {

struct Options {
    int scrollSteps = 0;
    std::string name = "Green Valley";
    std::string message = "Level complete";
};

class Demo : public MenuActions {
public:
    explicit Demo(const Options& options)
        : options_(options)
        , hud_(display_, *this)
        , status_(display_)
    {
        level_.name = options.name;
        level_.goal = 5;
        status_.init();
        hud_.initFont();
        hud_.showLevel(level_);
        hud_.setPaused(paused_);
        hud_.setDisplayModeLabel(fullScreen_);
    }

    void initGl()
    {
        glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
        hud_.initGl();
        context_ = std::make_unique<RenderContext>(display_);
    }

    void reshape(int w, int h)
    {
        const int q = w / 4;
        hud_.setViewport(ViewRect { w - q, 0, q, h - q });
        status_.setViewport(ViewRect { 0, 0, w - q, h });
        for (int i = 0; i < options_.scrollSteps; ++i)
            hud_.scrollStep();
        if (!shown_) {
            status_.show(options_.message, TextColour { 0.0f, 1.0f, 1.0f });
            shown_ = true;
        }
    }

    void display()
    {
        glViewport(0, 0, display_.windowWidth(), display_.windowHeight());
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        hud_.draw(*context_);
        status_.draw(*context_);
        glutSwapBuffers();
    }

    void idle()
    {
        if (!paused_)
            hud_.scrollStep();
    }

    void mouse(int button, int state, int x, int y)
    {
        if (paused_)
            hud_.buttonChanged(mouseButtonFromGlut(button), buttonStateFromGlut(state), x, y);
    }

    void motion(int x, int y)
    {
        if (paused_)
            hud_.pointerMoved(x, y);
    }

    void newGame() override
    {
        say("newGame");
        if (paused_)
            togglePause();
    }

    void togglePause() override
    {
        say("togglePause");
        paused_ = !paused_;
        hud_.setPaused(paused_);
    }

    void toggleDisplayMode() override
    {
        say("toggleDisplayMode");
        fullScreen_ = !fullScreen_;
    }

    bool fullScreenActive() const override { return fullScreen_; }

    void changeSong(SongStep step) override { say(step == SongStep::Next ? "changeSong next" : "changeSong previous"); }

    void exitGame() override
    {
        say("exitGame");
        std::exit(0);
    }

private:
    static void say(const char* action)
    {
        std::printf("%s\n", action);
        std::fflush(stdout);
    }

    Options options_;
    GlutDisplay display_;
    LevelDef level_ { 6, 6, 12 };
    Hud hud_;
    StatusOverlay status_;
    std::unique_ptr<RenderContext> context_;
    bool paused_ = true;
    bool fullScreen_ = false;
    bool shown_ = false;
};

std::unique_ptr<Demo> demo;

[[noreturn]] void fatal(const std::string& text)
{
    reportFatalError(text);
    std::_Exit(1);
}

// Errors leave the toolkit's callbacks here.
template <typename Call> void guarded(Call call)
{
    try {
        call();
    } catch (const FatalError& e) {
        fatal(e.what());
    } catch (const std::exception&) {
        fatal("There was an unknown error during the game.\nYou may want to reinstall the game before playing again.");
    }
}

Options parse(int argc, char** argv)
{
    Options options;
    for (int i = 1; i + 1 < argc; i += 2) {
        if (std::strcmp(argv[i], "--scroll") == 0)
            options.scrollSteps = std::atoi(argv[i + 1]);
        else if (std::strcmp(argv[i], "--name") == 0)
            options.name = argv[i + 1];
        else if (std::strcmp(argv[i], "--message") == 0)
            options.message = argv[i + 1];
    }
    return options;
}

} // namespace

int main(int argc, char** argv)
{
    const Options options = parse(argc, argv);
    if (!displayAvailable())
        fatal("There is no display to show the demo on.");
    guarded([&] {
        int glutArgc = 1;
        char name[] = "hud_demo";
        char* glutArgv[] = { name, nullptr };
        glutInit(&glutArgc, glutArgv);
        glutInitDisplayMode(GLUT_RGBA | GLUT_DOUBLE | GLUT_DEPTH | GLUT_STENCIL);
        glutInitWindowSize(1024, 768);
        glutInitWindowPosition(0, 0);
        // Built before the window, as the game builds its views.
        demo = std::make_unique<Demo>(options);
        glutCreateWindow("Cubrava text demo");
        demo->initGl();
        glutDisplayFunc([] { guarded([] { demo->display(); }); });
        glutReshapeFunc([](int w, int h) { guarded([&] { demo->reshape(w, h); }); });
        glutIdleFunc([] { guarded([] { demo->idle(); }); });
        glutMouseFunc([](int b, int s, int x, int y) { guarded([&] { demo->mouse(b, s, x, y); }); });
        glutMotionFunc([](int x, int y) { guarded([&] { demo->motion(x, y); }); });
        glutPassiveMotionFunc([](int x, int y) { guarded([&] { demo->motion(x, y); }); });
    });
    glutMainLoop();
    return 0;
}
