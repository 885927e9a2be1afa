// Frame times of the level editor's view under the software renderer: a full
// 8 x 8 x 16 level in edit mode (the edited layer with its hovered and
// selected cells, and the faint cubes of the other fifteen layers), as it
// stands, with the hovered cell moving, and after a change every frame: the
// layer stepped up and down, the layers walked through from bottom to top
// and back (with and without the idle moments between, and as a held key
// repeats), a cube added and removed; in camera mode; and one picking pass as
// every pointer motion runs it. A frame after a change is to take 16.7 ms or
// less (p95). Edit and camera mode are each timed against the same cubes drawn one
// by one, interleaved, so both see the same load.
// The window is the view's own, trunc(0.6 x screen width) square: 768 x 768
// on the 1280 x 1024 screen the benchmark makes itself without a display.
// Each frame is drawn as the window's display callback draws it, swapped and
// finished (glFinish) before the clock is read.
//
//   editor_view_bench [--run-dir DIR] [--frames N]
//
// The textures come from DIR (the build's run folder by default).
#include "FrameBench.h"
#include "editor/view/GlutEditorView.h"
#include "editor/view/ViewWindow.h"
#include "reference/OneByOneEditCubes.h"

#include <GL/freeglut.h>

#include <cstring>

using namespace cubrava;
using namespace cubrava::bench;
namespace fs = std::filesystem;

namespace {

// A frame after a change, at sixty frames a second.
constexpr double ChangeGoalMs = 16.7;

} // namespace

int main(int argc, char** argv)
{
    fs::path runDir = CUBRAVA_DEFAULT_RUN_DIR;
    int frames = 200;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--run-dir") == 0 && i + 1 < argc)
            runDir = argv[++i];
        else if (std::strcmp(argv[i], "--frames") == 0 && i + 1 < argc)
            frames = std::max(10, std::atoi(argv[++i]));
    }
    ensureDisplay(argc, argv, CUBRAVA_WITH_XVFB);
    std::error_code missing;
    fs::current_path(runDir, missing);
    if (missing || !fs::is_directory("Textures")) {
        std::fprintf(stderr, "editor_view_bench: no Textures/ under %s\n", runDir.c_str());
        return 1;
    }

    glutInit(&argc, argv);
    GlutEditorView screen([] { return false; });
    ViewWindow window(screen.view());
    window.create();
    for (int i = 0; i < 20; ++i) // let the window map and settle
        glutMainLoopEvent();

    EditorView& view = screen.view();
    LevelDef full(8, 8, 16);
    fill(full, 0, 16, someTexture());
    view.setLevel(full);
    const int side = glutGet(GLUT_WINDOW_WIDTH);
    view.reshape(side, side);
    std::printf("renderer: %s, view %d x %d\n", reinterpret_cast<const char*>(glGetString(GL_RENDERER)), side,
        glutGet(GLUT_WINDOW_HEIGHT));

    // Layer 8 of 16, a 3 x 3 selection and a hovered cell in the middle of the window.
    for (int i = 0; i < 8; ++i)
        view.keyDown('8');
    view.mouseButton(MouseButton::Left, ButtonState::Down, side / 2 - 40, side / 2);
    view.mouseDrag(side / 2 + 40, side / 2 + 40);
    view.mouseButton(MouseButton::Left, ButtonState::Up, side / 2 + 40, side / 2 + 40);
    view.mouseHover(side / 2, side / 2);
    std::printf("edited layer %d, %s selected, cell %d hovered\n", view.currentLayer(),
        view.selection().empty() ? "nothing" : "a rectangle", view.hovered());

    const auto toLayer = [&](int layer) {
        while (view.currentLayer() < layer)
            view.keyDown('8');
        while (view.currentLayer() > layer)
            view.keyDown('2');
    };

    RenderContext& context = window.context();
    OneByOneEditCubes oneByOne;
    const auto kept = [&] {
        view.display(context);
        glutSwapBuffers();
    };
    const auto reference = [&] {
        view.display(context, oneByOne);
        glutSwapBuffers();
    };
    // The cubes drawn one by one, as before the kept buffers, are slow, and
    // each of their frames leaves the processor's caches cold for the next
    // frame: one of them to every ten of the other, which on screen follow
    // one another.
    printLoad("before");
    const auto [editKept, editOneByOne] = timeFramesAlternately(frames, kept, reference, 10);
    report("full 8x8x16 level (1024 cubes), edit mode", editKept, Measure::Median, 8.0);
    report("  the same, cubes drawn one by one (reference)", editOneByOne, "");

    int step = 0;
    const int hoverX[2] = { side / 2 - 40, side / 2 + 40 };
    report("  the hovered cell moving every frame, picking included",
        timeFrames(frames,
            [&] {
                view.mouseHover(hoverX[step++ % 2], side / 2);
                kept();
            }),
        "");
    report("  another layer every frame, up and down",
        timeFrames(frames,
            [&] {
                view.keyDown(step++ % 2 == 0 ? '8' : '2');
                kept();
            }),
        Measure::P95, ChangeGoalMs);
    int direction = 1;
    const auto walk = [&] {
        if (view.currentLayer() + direction < 0 || view.currentLayer() + direction >= 16)
            direction = -direction;
        view.keyDown(direction > 0 ? '8' : '2');
        kept();
    };
    report("  the layers walked through, one a frame, no idle moment", timeFrames(frames, walk), Measure::P95,
        ChangeGoalMs);
    // As the view's loop runs: its idle moments draw ahead what the next
    // step wants. Here they are given all the time they take, untimed.
    int aheadSteps = 0;
    const auto idle = [&] {
        while (view.prepareAhead(context))
            ++aheadSteps;
    };
    report("  the same, with the idle moments drawing ahead", timeFrames(frames, walk, {}, idle), Measure::P95,
        ChangeGoalMs);
    std::printf("    (%d steps drawn ahead, untimed, between the frames)\n", aheadSteps);
    // A key held down: X repeats it 25 times a second unless told otherwise,
    // each repeat drawn by the window's own display callback, and the idle
    // moments have what is left of each 40 ms.
    using Clock = std::chrono::steady_clock;
    Clock::time_point stepped;
    const auto heldKey = [&] {
        stepped = Clock::now();
        if (view.currentLayer() + direction < 0 || view.currentLayer() + direction >= 16)
            direction = -direction;
        view.keyDown(direction > 0 ? '8' : '2');
        glutMainLoopEvent();
    };
    const auto untilTheRepeat = [&] {
        while (Clock::now() - stepped < std::chrono::milliseconds(40) && view.prepareAhead(context)) { }
    };
    report("  the same, a held key repeating 25 times a second", timeFrames(frames, heldKey, {}, untilTheRepeat),
        Measure::P95, ChangeGoalMs);
    toLayer(8);

    // One cell of the layer selected, emptied and filled again.
    view.mouseButton(MouseButton::Left, ButtonState::Down, side / 2, side / 2);
    view.mouseButton(MouseButton::Left, ButtonState::Up, side / 2, side / 2);
    const Material brush = colourFor(1, "");
    report("  a cube added or removed every frame",
        timeFrames(frames,
            [&] {
                if (step++ % 2 == 0)
                    view.removeBlocks();
                else
                    view.addBlocks(brush);
                kept();
            }),
        Measure::P95, ChangeGoalMs);
    report("pointer motion (one picking pass over the edited layer)",
        timeFrames(frames, [&] { view.mouseHover(side / 2 + step++ % 2, side / 2); }), "");

    view.keyDown('`');
    const auto [landed, landedOneByOne] = timeFramesAlternately(frames, kept, reference, 10);
    report("full 8x8x16 level, camera mode", landed, "");
    report("  the same, cubes drawn one by one (reference)", landedOneByOne, "");
    printLoad("after");
    return 0;
}
