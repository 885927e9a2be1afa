// Frame times of the scene under the software renderer: the first level with
// the camera orbiting; a full 8 x 8 x 16 pit drawn cube by cube (the
// reference) and batched, frame about frame; one, two and four layer bursts.
// Each frame draws the scene and the preview as the game does, swaps and
// waits for the renderer to finish (glFinish) before the clock is read.
//
//   render_bench [--run-dir DIR] [--frames N] [--no-lists] [--only first|full|bursts]
//
// The first level and the pieces come from DIR/Config (the build's run
// folder by default); without them a representative level is made up.
// Without an X display it starts itself again under scripts/with-xvfb.
// Exits non-zero only when it cannot run; a goal missed is printed as such.
#include "FrameBench.h"
#include "data/LevelDef.h"
#include "data/LevelList.h"
#include "data/PieceSet.h"
#include "model/PlayField.h"
#include "reference/OneByOneLandedCubes.h"
#include "render/GlutDisplay.h"
#include "render/GlutTimers.h"
#include "render/PreviewView.h"
#include "render/RenderContext.h"
#include "render/SceneView.h"

#include <GL/freeglut.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <string>
#include <unistd.h>
#include <vector>

using namespace cubrava;
using namespace cubrava::bench;
namespace fs = std::filesystem;

namespace {

constexpr int WindowWidth = 1024;
constexpr int WindowHeight = 768;

// With --no-lists the views get no display lists and draw everything directly.
struct ListlessDisplay : GlutDisplay {
    bool lists = true;
    unsigned newList() override { return lists ? GlutDisplay::newList() : 0; }
};

struct Views {
    ListlessDisplay display;
    GlutTimers timers;
    SceneView scene { display, timers };
    PreviewView preview { display };
    // Made once the display's lists are chosen.
    std::unique_ptr<RenderContext> context;

    void show(PlayField& play)
    {
        preview.attach(play);
        scene.attach(play);
        const int q = WindowWidth / 4;
        scene.setViewport(ViewRect { 0, 0, WindowWidth - q, WindowHeight });
        preview.setViewport(ViewRect { WindowWidth - q, WindowHeight - q, q, q });
    }
};

// Frames of the scene and the preview until done() or the count is reached.
Figures run(Views& v, int frames, const std::function<void()>& beforeFrame, const std::function<bool()>& done = {})
{
    return timeFrames(
        frames,
        [&] {
            beforeFrame();
            v.scene.draw(*v.context);
            v.preview.draw(*v.context);
            glutSwapBuffers();
        },
        done);
}

// Round the pit at the starting pitch, a degree and a half a frame.
void orbit(SceneView& scene)
{
    Camera c = scene.camera();
    c.yaw = std::fmod(c.yaw + 1.5, 360.0);
    scene.cameraControl().setCamera(c);
}

// The pieces and the first level of the run folder, or made-up ones in a
// temporary folder: a 6 x 6 x 14 pit with a few dozen starting cubes.
LevelDef firstLevel(const fs::path& runDir, fs::path& scratch, PieceSet& pieces)
{
    std::error_code ignored;
    if (fs::exists(runDir / "Config/Levels.dat", ignored) && fs::exists(runDir / "Config/Pieces.dat", ignored)) {
        fs::current_path(runDir);
        LevelList levels;
        readLevels(levels);
        readPieces(PiecesFileName, pieces);
        std::printf("content: %s\n", fs::absolute(runDir).c_str());
        return levels.front();
    }
    char pattern[] = "/tmp/cubrava-render-bench-XXXXXX";
    scratch = ::mkdtemp(pattern);
    fs::current_path(scratch);
    fs::create_directories("Config");
    std::ofstream("Config/Pieces.dat")
        << "<pieces><piece>"
           "<c x=\"0\" y=\"0\" z=\"0\" color=\"A050F0\"/><c x=\"1\" y=\"0\" z=\"0\" color=\"A050F0\"/>"
           "<c x=\"2\" y=\"0\" z=\"0\" color=\"A050F0\"/><c x=\"1\" y=\"1\" z=\"0\" color=\"A050F0\"/>"
           "</piece></pieces>";
    readPieces(PiecesFileName, pieces);
    LevelDef level(6, 6, 14);
    level.name = "bench";
    int i = 0;
    for (int x = 0; x < 6; ++x)
        for (int y = 0; y < 6; ++y)
            if ((x + 2 * y) % 3 != 0)
                level.addBlock(static_cast<std::int8_t>(x), static_cast<std::int8_t>(y), 0, colourFor(i++, ""));
    for (int x = 0; x < 6; x += 2)
        level.addBlock(static_cast<std::int8_t>(x), 5, 1, colourFor(i++, ""));
    std::printf("content: made up (no Config/Levels.dat under %s)\n", runDir.c_str());
    return level;
}

void benchFirstLevel(Views& v, const LevelDef& first, const PieceSet& pieces, int frames)
{
    PlayField play(first, pieces);
    v.show(play);
    play.start(); // the next piece turns in the preview
    char what[96];
    std::snprintf(what, sizeof what, "first level (%dx%dx%d, %zu cubes), orbiting", first.x, first.y, first.z,
        first.blocks().size());
    report(what,
        run(v, frames,
            [&] {
                orbit(v.scene);
                v.preview.turnStep();
            }),
        Measure::Median, 4.0);
}

// The same full pit in two scene views, one drawing its landed cubes one by
// one as before, the other batched, frame about frame, so both see the same
// load on the machine.
void benchFullPit(Views& batched, const PieceSet& pieces, const std::string& texture, int frames)
{
    LevelDef full(8, 8, 16);
    fill(full, 0, 16, texture);
    PlayField play(full, pieces);
    Views reference;
    reference.display.lists = batched.display.lists;
    reference.context = std::make_unique<RenderContext>(reference.display);
    reference.scene.initGl();
    reference.show(play);
    batched.show(play);
    play.start();

    OneByOneLandedCubes oneByOne;
    const auto [before, after] = timeFramesAlternately(
        frames,
        [&] {
            orbit(reference.scene);
            reference.scene.draw(*reference.context, oneByOne);
            reference.preview.draw(*reference.context);
            glutSwapBuffers();
        },
        [&] {
            orbit(batched.scene);
            batched.scene.draw(*batched.context);
            batched.preview.draw(*batched.context);
            glutSwapBuffers();
        });
    report("full 8x8x16 pit (1024 cubes), cube by cube", before, "");
    report("full 8x8x16 pit (1024 cubes), batched", after, Measure::Median, 8.0);
    std::printf(
        "%-52s %.1f times as fast\n", "  batched against cube by cube, same run:", before.median / after.median);
}

// Layer bursts going off at once over a pit whose bottom layers are full.
void benchBursts(Views& v, const LevelDef& first, const PieceSet& pieces, const std::string& texture)
{
    for (int pairs : { 1, 2, 4 }) {
        LevelDef bursting(first.x, first.y, first.z);
        fill(bursting, 0, 4, texture);
        PlayField play(bursting, pieces);
        v.show(play);
        play.start();
        for (int layer = 0; layer < pairs; ++layer)
            v.scene.onPlayEvent(play, PlayEvent::LayerClearing, layer);
        char what[96];
        std::snprintf(what, sizeof what, "%d layer burst%s at once (%d particles), %dx%dx%d", pairs,
            pairs == 1 ? "" : "s", pairs * 7000, first.x, first.y, first.z);
        const Figures f = run(
            v, 10000,
            [&] {
                orbit(v.scene);
                v.scene.stepEffects();
            },
            [&] { return v.scene.effects().empty(); });
        // Four at once cost the fill of the effect as it is: accepted, reported.
        if (pairs == 1)
            report(what, f, Measure::P95, 16.7);
        else
            report(what, f, "");
    }
}

} // namespace

int main(int argc, char** argv)
{
    fs::path runDir = CUBRAVA_DEFAULT_RUN_DIR;
    int frames = 300;
    bool lists = true;
    std::string only;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--no-lists") == 0)
            lists = false;
        else if (std::strcmp(argv[i], "--run-dir") == 0 && i + 1 < argc)
            runDir = argv[++i];
        else if (std::strcmp(argv[i], "--frames") == 0 && i + 1 < argc)
            frames = std::max(10, std::atoi(argv[++i]));
        else if (std::strcmp(argv[i], "--only") == 0 && i + 1 < argc)
            only = argv[++i];
    }

    ensureDisplay(argc, argv, CUBRAVA_WITH_XVFB);

    glutInit(&argc, argv);
    glutInitDisplayMode(GLUT_RGBA | GLUT_DOUBLE | GLUT_DEPTH | GLUT_STENCIL);
    glutInitWindowSize(WindowWidth, WindowHeight);
    glutInitWindowPosition(0, 0);
    glutCreateWindow("Cubrava render bench");
    glutDisplayFunc([] {});
    for (int i = 0; i < 20; ++i) // let the window map and settle
        glutMainLoopEvent();

    fs::path scratch;
    LevelDef first;
    PieceSet pieces;
    try {
        first = firstLevel(runDir, scratch, pieces);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "render_bench: %s\n", e.what());
        return 1;
    }
    std::printf("renderer: %s, window %d x %d, scene %d x %d\n",
        reinterpret_cast<const char*>(glGetString(GL_RENDERER)), WindowWidth, WindowHeight, WindowWidth * 3 / 4,
        WindowHeight);

    glClearColor(0, 0, 0, 0);
    Views v;
    v.display.lists = lists;
    v.context = std::make_unique<RenderContext>(v.display);
    v.scene.initGl();
    v.preview.initGl();

    const std::string texture = someTexture();
    printLoad("before");
    if (only.empty() || only == "first")
        benchFirstLevel(v, first, pieces, frames);
    if (only.empty() || only == "full")
        benchFullPit(v, pieces, texture, frames);
    if (only.empty() || only == "bursts")
        benchBursts(v, first, pieces, texture);

    printLoad("after");
    if (!scratch.empty())
        fs::remove_all(scratch);
    return 0;
}
