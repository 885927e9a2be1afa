// The batched drawing of the landed cubes against the same pit drawn cube by
// cube, in the game's window layout, from several camera places: the two
// pictures may differ in at most one pixel in a thousand. Runs under an X
// display (scripts/with-xvfb).
#include "data/LevelDef.h"
#include "model/PlayField.h"
#include "reference/OneByOneLandedCubes.h"
#include "render/GlutDisplay.h"
#include "render/RenderContext.h"
#include "render/SceneView.h"
#include "support/FakeClock.h"
#include "support/GlutTestWindow.h"
#include "support/PictureCompare.h"
#include "support/PieceMaking.h"
#include "support/ScratchDir.h"

#include <GL/freeglut.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

using namespace cubrava;

namespace {

constexpr int WindowWidth = 1024;
constexpr int WindowHeight = 768;
// The scene's part of the window, as the game cuts it.
constexpr int SceneWidth = WindowWidth - WindowWidth / 4;
constexpr long ScenePixels = static_cast<long>(SceneWidth) * WindowHeight;

// Turns every landed cube to an orientation of its own, as landed pieces leave them.
void turnCubes(Pit& pit)
{
    int i = 0;
    for (int z = 0; z < pit.pitHeight(); ++z)
        for (int x = 0; x < pit.width(); ++x)
            for (int y = 0; y < pit.depth(); ++y, ++i) {
                const CellPos at { static_cast<std::int8_t>(x), static_cast<std::int8_t>(y),
                    static_cast<std::int8_t>(z) };
                const Cell* cell = pit.cellAt(at);
                if (!cell || !cell->material)
                    continue;
                Material& look = *cell->material;
                pit.clearCell(at);
                ASSERT_TRUE(pit.putCell(at, look, static_cast<Orientation>(i * 5 % OrientationCount)));
            }
}

std::vector<std::uint8_t> drawAndRead(const std::function<void()>& draw)
{
    draw();
    return readBackBuffer(SceneWidth, WindowHeight);
}

} // namespace

TEST(BatchedPit, LooksAsTheCubesDrawnOneByOneFromEveryCameraPlace)
{
    ScratchDir dir;
    writeComparisonTextures();

    // Every cell of the pit, every orientation.
    const LevelDef level = comparisonLevel([](int, int, int) { return true; });
    const PieceSet pieces = test::piecesOf({ test::cube, test::lineX3 });
    PlayField play(level, pieces);
    turnCubes(play.pit());

    GlutDisplay display;
    RenderContext context(display);
    test::FakeClock clock;
    SceneView scene(display, clock);
    OneByOneLandedCubes reference;
    scene.initGl();
    scene.attach(play);
    scene.setViewport(ViewRect { 0, 0, SceneWidth, WindowHeight });

    const CameraLimits limits = scene.limits();
    struct Place {
        const char* name;
        double yaw, pitch, distance, height;
        bool top;
    };
    const double start = 0.7 * limits.maxDistance, low = limits.minHeight * 0.25;
    const Place places[] = {
        { "the starting view", 34, -38, start, low, false },
        { "along the rows, gaps in line with the eye", 0, -38, start, low, false },
        { "across the rows, steep", 90, -75, start, low, false },
        { "from the far corner, steep", 225, -70, start, low, false },
        { "almost level with the rim", 290, -4, start, low, false },
        { "level with the middle layers", 180, -2, start, -2.0, false },
        { "from below the floor", 120, -140, start, low, false },
        { "straight up the middle from below", 45, -180, 0.5 * limits.maxDistance, -2.0, false },
        { "zoomed in over the edge", 60, -30, 0.3 * limits.maxDistance, low, false },
        { "inside the stack, cubes cut open", 45, -60, 0.0, 0.0, false },
        { "top view", 34, -38, start, low, true },
    };
    for (const Place& place : places) {
        SCOPED_TRACE(place.name);
        Camera camera = scene.camera();
        camera.yaw = place.yaw;
        camera.pitch = place.pitch;
        camera.distance = place.distance;
        camera.heightOffset = place.height;
        camera.topView = place.top;
        scene.cameraControl().setCamera(camera);
        const auto expected = drawAndRead([&] { scene.draw(context, reference); });
        const auto actual = drawAndRead([&] { scene.draw(context); });
        ASSERT_GT(litPixels(expected), ScenePixels / 20) << "the pit is in the picture";
        const long differing = differingPixels(expected, actual);
        std::printf("%-44s %6ld of %ld pixels differ\n", place.name, differing, ScenePixels);
        EXPECT_LE(differing, ScenePixels / 1000);
    }
}

int main(int argc, char** argv)
{
    return runTestsInGlutWindow(argc, argv, WindowWidth, WindowHeight, "scene equality tests");
}
