// A window showing the scene and the preview of a small level through the
// real GLUT services, for screenshots under Xvfb and for looking at.
//
//   scene_demo [--running] [--burst] [--top] [--steps N]
//
// --running starts play so a piece falls (markers, ghost) and the preview
// turns; --burst sets off the effects of a cleared layer; --top starts in top
// view; --steps N stops the animation after N idle steps, for a still picture,
// and prints "still" once that picture is on the screen. Keys: the camera
// keys, 8/2/4/6 and * - / as in the game; q prints the camera and exits.
// Each frame that shows the camera turned prints "turned DEGREES", counted
// from the start without wrapping.
#include "SceneBmp.h"
#include "data/LevelDef.h"
#include "model/PlayField.h"
#include "render/GlutDisplay.h"
#include "render/GlutInput.h"
#include "render/GlutTimers.h"
#include "render/PreviewView.h"
#include "render/RenderContext.h"
#include "render/SceneView.h"
#include "support/LevelMaking.h"
#include "support/PieceMaking.h"

#include <GL/freeglut.h>
#include <GL/glx.h>
#include <X11/Xlib.h>

#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <exception>
#include <filesystem>
#include <memory>
#include <string>
#include <unistd.h>
#include <utility>
#include <vector>

using namespace cubrava;
using cubrava::test::colour;

namespace {

struct Demo {
    GlutDisplay display;
    RenderContext context { display };
    GlutTimers timers { [](std::exception_ptr error) {
        try {
            std::rethrow_exception(error);
        } catch (const std::exception& e) {
            std::fprintf(stderr, "scene_demo: %s\n", e.what());
        }
        std::exit(1);
    } };
    LevelDef level { 6, 6, 14 };
    // The one piece: three purple cubes in a row and one on the first.
    const PieceSet pieces = test::piecesOf({ { { 0, 0, 0 }, { 1, 0, 0 }, { 2, 0, 0 }, { 0, 0, 1 } } }, { "D040F0" });
    std::unique_ptr<PlayField> play;
    SceneView scene { display, timers };
    PreviewView preview { display };
};

Demo* demo = nullptr;
std::filesystem::path workDir;
long stepsLeft = -1; // -1: no limit
bool stillShown = false;
double lastYaw = 0.0;
double turned = 0.0; // degrees of yaw, unwrapped
std::chrono::steady_clock::time_point firstKey;
bool keyPressed = false;

// A private folder with a checker texture the level uses.
void writeContent()
{
    char pattern[] = "/tmp/cubrava-scene-demo-XXXXXX";
    workDir = ::mkdtemp(pattern);
    std::filesystem::current_path(workDir);
    std::filesystem::create_directories("Textures");
    const int side = 64;
    std::vector<std::uint8_t> rgb(side * side * 3);
    for (int y = 0; y < side; ++y)
        for (int x = 0; x < side; ++x) {
            const bool light = ((x / 8) + (y / 8)) % 2 == 0;
            std::uint8_t* p = &rgb[(y * side + x) * 3];
            p[0] = light ? 255 : 60;
            p[1] = light ? 255 : 60;
            p[2] = light ? 255 : 60;
        }
    writeBmp24("Textures/checker.bmp", side, side, rgb);
}

// A full floor in stripes of red, green and blue, with two checkered cubes
// and a few on the layer above.
void buildLevel(LevelDef& level)
{
    level.name = "Demo";
    const Material stripes[3] = { colour(0.95f, 0.1f, 0.1f), colour(0.1f, 0.8f, 0.1f), colour(0.15f, 0.3f, 1.0f) };
    for (int x = 0; x < 6; ++x)
        for (int y = 0; y < 6; ++y) {
            const bool checker = (x == 1 && y == 1) || (x == 4 && y == 3);
            level.addBlock(static_cast<std::int8_t>(x), static_cast<std::int8_t>(y), 0,
                checker ? colour(1, 1, 1, "Textures/checker.bmp") : stripes[y / 2]);
        }
    level.addBlock(0, 5, 1, colour(0.95f, 0.1f, 0.1f));
    level.addBlock(1, 5, 1, colour(0.95f, 0.1f, 0.1f));
    level.addBlock(5, 0, 1, colour(0.15f, 0.3f, 1.0f));
    level.addBlock(5, 1, 1, colour(1, 1, 1, "Textures/checker.bmp"));
}

// Adds the yaw change since the last look; true when there was one.
bool noteTurn()
{
    const double yaw = demo->scene.camera().yaw;
    const double step = std::remainder(yaw - lastYaw, 360.0);
    lastYaw = yaw;
    turned += step;
    return step != 0.0;
}

void display()
{
    demo->scene.draw(demo->context);
    demo->preview.draw(demo->context);
    glutSwapBuffers();
    if (noteTurn())
        std::printf("turned %.1f\n", turned);
    if (stepsLeft == 0 && !stillShown) {
        // On the server, not just sent: a screenshot taken now shows it.
        glFinish();
        XSync(glXGetCurrentDisplay(), False);
        stillShown = true;
        std::printf("still\n");
    }
    std::fflush(stdout);
}

void reshape(int w, int h)
{
    const int q = w / 4;
    demo->scene.setViewport(ViewRect { 0, 0, w - q, h });
    demo->preview.setViewport(ViewRect { w - q, h - q, q, q });
    display();
}

void idle()
{
    if (stepsLeft == 0) {
        glutIdleFunc(nullptr);
        glutPostRedisplay(); // the still picture, after the last step
        return;
    }
    if (stepsLeft > 0)
        --stepsLeft;
    demo->preview.turnStep();
    demo->scene.stepEffects();
}

void keyboard(unsigned char key, int, int)
{
    Demo& d = *demo;
    if (!keyPressed) {
        keyPressed = true;
        firstKey = std::chrono::steady_clock::now();
    }
    switch (key) {
    case 'q': {
        noteTurn();
        const Camera c = d.scene.camera();
        std::printf("yaw %.1f pitch %.1f distance %.2f height %.2f\n", c.yaw, c.pitch, c.distance, c.heightOffset);
        // The camera can only have moved between the first key and this one.
        std::printf("turned %.1f in %lld ms\n", turned,
            static_cast<long long>(
                std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - firstKey)
                    .count()));
        std::fflush(stdout);
        std::filesystem::remove_all(workDir);
        std::exit(0);
    }
    case '8':
        d.scene.moveRelative(RelativeDirection::Forward);
        return;
    case '2':
        d.scene.moveRelative(RelativeDirection::Back);
        return;
    case '4':
        d.scene.moveRelative(RelativeDirection::Left);
        return;
    case '6':
        d.scene.moveRelative(RelativeDirection::Right);
        return;
    case '*':
        d.scene.turnRelative(TurnAxis::LeftRight);
        return;
    case '-':
        d.scene.turnRelative(TurnAxis::Vertical);
        return;
    case '/':
        d.scene.turnRelative(TurnAxis::FrontBack);
        return;
    default:
        d.scene.keyDown(key);
    }
}

void keyboardUp(unsigned char key, int, int)
{
    demo->scene.keyUp(key);
}

void mouse(int button, int state, int, int)
{
    demo->scene.mouseButton(mouseButtonFromGlut(button), buttonStateFromGlut(state));
}

} // namespace

int main(int argc, char** argv)
{
    bool running = false, burst = false, top = false;
    for (int i = 1; i < argc; ++i) {
        running = running || std::strcmp(argv[i], "--running") == 0;
        burst = burst || std::strcmp(argv[i], "--burst") == 0;
        top = top || std::strcmp(argv[i], "--top") == 0;
        if (std::strcmp(argv[i], "--steps") == 0 && i + 1 < argc)
            stepsLeft = std::atol(argv[++i]);
    }

    glutInit(&argc, argv);
    glutInitDisplayMode(GLUT_RGBA | GLUT_DOUBLE | GLUT_DEPTH | GLUT_STENCIL);
    glutInitWindowSize(1024, 768);
    glutInitWindowPosition(0, 0);
    glutCreateWindow("Cubrava");
    glutSetOption(GLUT_ACTION_ON_WINDOW_CLOSE, GLUT_ACTION_GLUTMAINLOOP_RETURNS);

    writeContent();
    auto owner = std::make_unique<Demo>();
    demo = owner.get();

    glClearColor(0, 0, 0, 0);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    demo->scene.initGl();
    demo->preview.initGl();

    try {
        buildLevel(demo->level);
        demo->play = std::make_unique<PlayField>(demo->level, demo->pieces);
        demo->preview.attach(*demo->play);
        demo->scene.attach(*demo->play);
        if (running || burst) {
            demo->play->start();
            demo->play->advance();
        }
        if (burst)
            demo->scene.onPlayEvent(*demo->play, PlayEvent::LayerClearing, 0);
        if (top)
            demo->scene.keyDown('b');
        lastYaw = demo->scene.camera().yaw;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "scene_demo: %s\n", e.what());
        std::filesystem::remove_all(workDir);
        return 1;
    }

    glutDisplayFunc(display);
    glutReshapeFunc(reshape);
    glutKeyboardFunc(keyboard);
    glutKeyboardUpFunc(keyboardUp);
    glutMouseFunc(mouse);
    glutIdleFunc(idle);
    glutMainLoop();
    std::filesystem::remove_all(workDir);
    return 0;
}
