// cubrava-editor --view-only from a copy of the run folder on a 1280 x 1024
// screen (run under scripts/with-xvfb): the view window, hovering and
// selecting cells with the pointer, the layer keys and camera mode, read
// from the screen. Every wait is for something on screen, with a deadline.
#include "data/LevelList.h"
#include "support/screen/Desktop.h"
#include "support/screen/GameProcess.h"
#include "support/screen/ScreenShot.h"
#include "support/screen/ViewProjection.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <functional>
#include <string>
#include <vector>

using namespace cubrava;
using namespace cubrava::e2e;

namespace {

const char* const Title = "Cubrava World Editor";
constexpr int Side = 768; // trunc(0.6 x 1280)

// A 4 x 10 pit, 12 high: a blue cube on layer 0, a red one on layer 1.
const char* const TestLevels = "<levels>\n"
                               "    <level name=\"Grid\" x=\"4\" y=\"10\" z=\"12\" goal=\"3\" drop=\"1000\">\n"
                               "        <blocks>\n"
                               "            <point x=\"2\" y=\"3\" z=\"0\" color=\"0000FF\" />\n"
                               "            <point x=\"3\" y=\"8\" z=\"1\" color=\"FF0000\" />\n"
                               "        </blocks>\n"
                               "    </level>\n"
                               "</levels>\n";

constexpr PitSize Pit { 4, 10, 12 };

// Takes screenshots until one satisfies the condition, or the patience runs out.
bool waitForScreen(const std::function<bool(const ScreenShot&)>& condition, ScreenShot* last = nullptr)
{
    return waitUntil([&] {
        ScreenShot shot = ScreenShot::take();
        const bool met = condition(shot);
        if (last)
            *last = shot;
        return met;
    });
}

// The grey of ghost cells, the only such pixels in edit mode.
int ghostPixels(const ScreenShot& shot, const WindowInfo& window)
{
    return shot.count({ window.x, window.y, window.x + Side, window.y + Side },
        [](const Rgb& p) { return std::abs(p.r - p.g) <= 3 && std::abs(p.g - p.b) <= 3 && p.r >= 20 && p.r <= 80; });
}

// The editor on the test level, its window found and the level drawn.
struct Editor {
    RunFolder folder;
    std::optional<GameProcess> process;
    WindowInfo window;
    std::vector<int> base; // brightness at every cell's top on layer 0, nothing hovered or selected

    Point cell(int x, int y, int layer = 0) const { return cellTop(window, Side, Pit, x, y, layer); }

    void start()
    {
        folder.write("Config/Levels.dat", TestLevels);
        process.emplace(folder, "cubrava-editor", std::vector<std::string> { "--view-only" });
        auto found = waitForWindow(Title, Patience);
        ASSERT_TRUE(found) << process->standardError();
        window = *found;
        // Over the window, on no cell.
        mouseMove(window.x + 5, window.y + 5);
        ScreenShot shot;
        ASSERT_TRUE(waitForScreen([&](const ScreenShot& s) { return ghostPixels(s, window) > 5000; }, &shot))
            << "the level was never drawn";
        for (int x = 0; x < 4; ++x)
            for (int y = 0; y < 10; ++y)
                base.push_back(brightness(patch(shot, cell(x, y))));
    }

    // How much brighter than at the start each cell of layer 0 is.
    std::vector<int> gains(const ScreenShot& shot) const
    {
        std::vector<int> out;
        for (int x = 0; x < 4; ++x)
            for (int y = 0; y < 10; ++y)
                out.push_back(brightness(patch(shot, cell(x, y))) - base[static_cast<std::size_t>(x * 10 + y)]);
        return out;
    }

    void closeAndExpectStatus(int status)
    {
        requestWindowClose(window.id);
        EXPECT_EQ(process->waitForExit(Patience), status) << process->standardError();
    }
};

} // namespace

TEST(ViewOnScreen, TheWindowStandsAtItsPlaceAndEachOfTheFortyCellsLightsUpUnderThePointer)
{
    Editor editor;
    ASSERT_NO_FATAL_FAILURE(editor.start());
    EXPECT_EQ(editor.window.x, 10);
    EXPECT_EQ(editor.window.y, 50);
    EXPECT_EQ(editor.window.width, Side);
    EXPECT_EQ(editor.window.height, Side);

    for (int x = 0; x < 4; ++x)
        for (int y = 0; y < 10; ++y) {
            const int index = x * 10 + y;
            mouseMove(editor.cell(x, y).x, editor.cell(x, y).y);
            // That cell alone: it gains most, and far more than any other.
            ScreenShot shot;
            const bool hovered = waitForScreen(
                [&](const ScreenShot& s) {
                    const std::vector<int> gains = editor.gains(s);
                    for (std::size_t i = 0; i < gains.size(); ++i)
                        if (static_cast<int>(i) != index && gains[i] * 2 >= gains[static_cast<std::size_t>(index)])
                            return false;
                    return gains[static_cast<std::size_t>(index)] >= 15;
                },
                &shot);
            if (!hovered)
                shot.save("hover-" + std::to_string(x) + "-" + std::to_string(y) + ".ppm");
            EXPECT_TRUE(hovered) << "cell " << x << " " << y << " was not lit alone";
        }
    editor.closeAndExpectStatus(0);
}

TEST(ViewOnScreen, ADragSelectsTheRectangleAndTheLayerKeysMoveTheSolidLayer)
{
    Editor editor;
    ASSERT_NO_FATAL_FAILURE(editor.start());

    // From (0, 2) through (1, 4) to (2, 6): the cells 0..2 by 2..6.
    const Point from = editor.cell(0, 2), through = editor.cell(1, 4), to = editor.cell(2, 6);
    mouseMove(from.x, from.y);
    mouseButton(1, true);
    mouseMove(through.x, through.y);
    mouseMove(to.x, to.y);
    mouseButton(1, false);
    auto inside = [](int x, int y) { return x <= 2 && y >= 2 && y <= 6; };
    ScreenShot shot;
    const bool selected = waitForScreen(
        [&](const ScreenShot& s) {
            const std::vector<int> gains = editor.gains(s);
            int leastInside = 255, mostOutside = 0;
            for (int x = 0; x < 4; ++x)
                for (int y = 0; y < 10; ++y) {
                    const int gain = gains[static_cast<std::size_t>(x * 10 + y)];
                    if (inside(x, y))
                        leastInside = std::min(leastInside, gain);
                    else
                        mostOutside = std::max(mostOutside, gain);
                }
            return leastInside >= 12 && mostOutside * 2 < leastInside;
        },
        &shot);
    if (!selected)
        shot.save("drag.ppm");
    ASSERT_TRUE(selected) << "the rectangle was not lit, or more than it";

    // The red cube of layer 1 is faint while layer 0 is edited, solid on layer 1;
    // the blue one of layer 0 the other way round.
    auto solidRed = [&](const ScreenShot& s) {
        const Rgb p = patch(s, editor.cell(3, 8, 1));
        return p.r > 180 && p.g < 90 && p.b < 90;
    };
    auto solidBlue = [&](const ScreenShot& s) {
        const Rgb p = patch(s, editor.cell(2, 3, 0));
        return p.b > 180 && p.r < 140;
    };
    EXPECT_FALSE(solidRed(shot));
    EXPECT_TRUE(solidBlue(shot));
    focusWindow(editor.window.id);
    key("8");
    EXPECT_TRUE(waitForScreen([&](const ScreenShot& s) { return solidRed(s) && !solidBlue(s); }))
        << "\"8\" did not step up to layer 1";
    key("2");
    EXPECT_TRUE(waitForScreen([&](const ScreenShot& s) { return !solidRed(s) && solidBlue(s); }))
        << "\"2\" did not step down to layer 0";
    key("Down"); // stays on layer 0
    key("Up");
    EXPECT_TRUE(waitForScreen([&](const ScreenShot& s) { return solidRed(s) && !solidBlue(s); }))
        << "Down then Up did not end on layer 1";
    editor.closeAndExpectStatus(0);
}

TEST(ViewOnScreen, TheGraveAccentSwitchesToCameraModeWhereTheCameraKeysMoveTheView)
{
    Editor editor;
    ASSERT_NO_FATAL_FAILURE(editor.start());
    const WindowInfo& w = editor.window;
    auto blueCube = [&](const ScreenShot& s) {
        return s.count({ w.x, w.y, w.x + Side, w.y + Side }, [](const Rgb& p) { return p.b > 150 && p.r < 60; });
    };

    focusWindow(w.id);
    key("grave");
    ScreenShot cameraMode;
    ASSERT_TRUE(waitForScreen([&](const ScreenShot& s) { return ghostPixels(s, w) < 500; }, &cameraMode))
        << "the ghosts of edit mode stayed";
    EXPECT_GT(blueCube(cameraMode), 100) << "camera mode draws the cubes";

    holdKey("s", true); // yaw up while held
    const bool turned = waitForScreen([&](const ScreenShot& s) {
        return s.differences(cameraMode, { w.x, w.y, w.x + Side, w.y + Side }) > 3000;
    });
    holdKey("s", false);
    EXPECT_TRUE(turned) << "the view did not turn";

    key("grave");
    EXPECT_TRUE(waitForScreen([&](const ScreenShot& s) { return ghostPixels(s, w) > 5000; }))
        << "no ghosts back in edit mode";
    editor.closeAndExpectStatus(0);
}

TEST(ViewOnScreen, AStartThatCannotReadTheLevelsIsReportedAndEndsWithStatusOne)
{
    RunFolder folder;
    folder.remove("Config/Levels.dat");
    GameProcess editor(folder, "cubrava-editor", { "--view-only" });
    auto box = waitForWindow("Bad News...", Patience);
    ASSERT_TRUE(box) << editor.standardError();
    EXPECT_NE(editor.standardError().find(LevelsErrorMessage), std::string::npos) << editor.standardError();
    EXPECT_FALSE(findWindowByTitle(Title)) << "the view window went with the failure";
    requestWindowClose(box->id);
    EXPECT_EQ(editor.waitForExit(Patience), 1);
}
