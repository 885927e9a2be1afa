// The game started from its runtime folder on a 1024 x 768 screen: the first
// level, the side panel and the menu as a player first sees them, and the
// fatal start-up messages.

#include "data/LevelList.h"
#include "data/PieceSet.h"
#include "platform/SplashWindow.h"
#include "support/screen/Desktop.h"
#include "support/screen/GameProcess.h"
#include "support/screen/ScreenShot.h"

#include <gtest/gtest.h>

#include <set>
#include <tuple>

using namespace cubrava;
using namespace cubrava::e2e;
using namespace std::chrono_literals;

namespace {

// Window layout at 1024 x 768: the pit view on the left three quarters, the
// preview square at the top of the right column, the panel below it.
const Rect Scene { 0, 0, 768, 768 };
const Rect PreviewSquare { 768, 0, 1024, 256 };
const Rect Panel { 768, 256, 1024, 768 };

void expectQuitsCleanly(GameProcess& game)
{
    key("alt+q");
    EXPECT_EQ(game.waitForExit(Patience), 0) << game.standardError();
}

} // namespace

TEST(Startup, TheFirstLevelThePanelAndTheMenuAreOnScreen)
{
    RunFolder folder;
    GameProcess game(folder, CUBRAVA_FRAME_COUNTER);
    const auto window = waitForWindow("Cubrava");
    ASSERT_TRUE(window) << game.standardError();
    // Once the splash is gone, a frame drawn after that shows the whole screen.
    ASSERT_TRUE(waitForNoWindow(kSplashTitle));
    ASSERT_TRUE(redrawn(game, window->id));
    const ScreenShot shot = ScreenShot::take();
    ASSERT_EQ(shot.width(), 1024);

    EXPECT_GT(shot.count(Scene, [](const Rgb& p) { return near(p, 102, 102, 102, 1); }), 300) << "the grey grid";

    LevelList levels;
    readLevelsFrom((folder.path() / "Config/Levels.dat").string(), levels);
    std::set<std::tuple<float, float, float>> colours;
    for (const Block& block : levels.front().blocks())
        if (block.material->textureName.empty())
            colours.emplace(block.material->red, block.material->green, block.material->blue);
    ASSERT_FALSE(colours.empty());
    for (const auto& colour : colours) {
        const auto [r, g, b] = colour;
        // Captured by name: a lambda may not capture structured bindings in C++17.
        const float red = r, green = g, blue = b;
        EXPECT_GT(shot.count(Scene, [&](const Rgb& p) { return sameHue(p, red, green, blue, 0.06f); }), 15)
            << "a starting cube of colour " << r << " " << g << " " << b;
    }

    auto markerYellow = [](const Rgb& p) { return p.r > 120 && std::abs(p.r - p.g) <= p.r / 16 && p.b <= p.r / 10; };
    EXPECT_GT(shot.count(Scene, markerYellow), 100) << "the forward marker";

    // The preview frame: a white outline inset in the square.
    int whiteRows = 0, whiteColumns = 0;
    for (int y = PreviewSquare.y0; y < PreviewSquare.y1; ++y)
        whiteRows += shot.count({ 768, y, 1024, y + 1 }, [](const Rgb& p) { return near(p, 255, 255, 255, 0); }) > 150;
    for (int x = PreviewSquare.x0; x < PreviewSquare.x1; ++x)
        whiteColumns += shot.count({ x, 0, x + 1, 256 }, [](const Rgb& p) { return near(p, 255, 255, 255, 0); }) > 150;
    EXPECT_GE(whiteRows, 2);
    EXPECT_GE(whiteColumns, 2);

    // Panel text is tinted by the panel image, which is near white where it counts.
    auto red = [](const Rgb& p) { return p.r > 150 && p.g < 50 && p.b < 50; };
    EXPECT_GT(shot.count({ 768, 300, 1024, 330 }, red), 80) << "\"Level:\" at its height";
    auto green = [](const Rgb& p) { return p.g > 150 && p.r < 60 && p.b < 60; };
    EXPECT_GT(shot.count(Panel, green), 80) << "the level name";
    // The band lets the name through between 0.16 and 0.84 of the panel's width.
    EXPECT_EQ(shot.count(Panel, green), shot.count({ 808, 300, 984, 380 }, green)) << "the name outside its band";
    auto menuBlue = [](const Rgb& p) { return sameHue(p, 0, 0.5f, 0.8f, 0.08f) && p.b > 120; };
    EXPECT_GT(shot.count({ 768, 450, 1024, 650 }, menuBlue), 600) << "six menu labels";
    EXPECT_EQ(shot.count(Scene, [](const Rgb& p) { return p.g > 200 && p.r < 20 && p.b < 20; }), 0)
        << "no status message at start";

    // Paused at start: the pointer works the menu.
    mouseMove(850, 474);
    auto hover = [](const Rgb& p) { return p.r > 200 && p.g > 200 && p.b > 120 && p.b < 210; };
    ScreenShot hovered;
    EXPECT_TRUE(waitUntil([&] {
        hovered = ScreenShot::take();
        return hovered.count({ 768, 455, 1024, 490 }, hover) > 60;
    })) << "\"new game\" in the hover colour";
    EXPECT_EQ(hovered.count({ 768, 490, 1024, 650 }, hover), 0) << "only the button under the pointer";

    expectQuitsCleanly(game);
}

namespace {

// Starts the game on a broken run folder and expects the message on standard
// error, in a "Bad News..." box, and an exit status of 1 once the box is closed.
void expectFatal(const RunFolder& folder, const std::string& message)
{
    GameProcess game(folder);
    auto box = waitForWindow("Bad News...");
    ASSERT_TRUE(box) << game.standardError();
    EXPECT_NE(game.standardError().find(message), std::string::npos) << game.standardError();
    EXPECT_TRUE(game.running()) << "the box waits for the player";
    requestWindowClose(box->id);
    EXPECT_EQ(game.waitForExit(Patience), 1);
}

} // namespace

TEST(Startup, AMissingLevelsFileIsReported)
{
    RunFolder folder;
    folder.remove("Config/Levels.dat");
    expectFatal(folder, LevelsErrorMessage);
}

TEST(Startup, APieceFileOfTheWrongShapeIsReported)
{
    RunFolder folder;
    folder.write("Config/Pieces.dat", "<pieces><block><c x='0' y='0' z='0' color='FF0000'/></block></pieces>");
    expectFatal(folder, PiecesErrorMessage);
}

TEST(Startup, AMissingFontIsReported)
{
    RunFolder folder;
    folder.remove("fonts/bnkgothm.ttf");
    expectFatal(
        folder, "There was an error initializing the fonts.\nIf this persists, you may wan to reinstall the game.");
}
