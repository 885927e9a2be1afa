// A game played with the keyboard on a 1024 x 768 screen, with GLUT's real
// game mode (a stand-in for the display's mode switching is preloaded).

#include "platform/SplashWindow.h"
#include "support/BmpWriter.h"
#include "support/PieceMaking.h"
#include "support/screen/Desktop.h"
#include "support/screen/GameProcess.h"
#include "support/screen/ScreenShot.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <iostream>
#include <optional>
#include <thread>

using namespace cubrava;
using namespace cubrava::e2e;
using namespace std::chrono_literals;

namespace {

const Rect Scene { 0, 0, 768, 768 };

// A 64 x 64 checkerboard of orange and violet, as a 24-bit BMP: cubes that
// wear it are easy to tell from untextured ones and from the status colours.
std::string checkerBmp()
{
    BmpSpec layout;
    layout.width = layout.height = 64;
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 64; ++x)
            layout.pixels.push_back(((x / 8) + (y / 8)) % 2 == 0 ? 0xFF8C00u : 0x8C00FFu);
    return buildBmp(layout);
}

// One chiral piece: every quarter turn about any axis changes what is seen.
const std::string BranchPiece
    = test::pieceFile({ { { 0, 0, 0 }, { 1, 0, 0 }, { 0, 1, 0 }, { 0, 0, 1 } } }, { "A0A0A0" });

const char* const TestLevel
    = "<levels>\n"
      "    <level name=\"Test Pit\" x=\"6\" y=\"6\" z=\"12\" goal=\"9\" drop=\"800\">\n"
      "        <blocks>\n"
      "            <point x=\"0\" y=\"0\" z=\"0\" color=\"FFFFFF\" texture=\"Textures/e2e-checker.bmp\" />\n"
      "            <point x=\"1\" y=\"0\" z=\"0\" color=\"FFFFFF\" texture=\"Textures/e2e-checker.bmp\" />\n"
      "            <point x=\"2\" y=\"0\" z=\"0\" color=\"FFFFFF\" texture=\"Textures/e2e-checker.bmp\" />\n"
      "            <point x=\"0\" y=\"1\" z=\"0\" color=\"FFFFFF\" texture=\"Textures/e2e-checker.bmp\" />\n"
      "            <point x=\"5\" y=\"5\" z=\"0\" color=\"FF0000\" />\n"
      "        </blocks>\n"
      "    </level>\n"
      "</levels>\n";

int textured(const ScreenShot& shot, const Rect& area)
{
    const int orange = shot.count(area, [](const Rgb& p) { return sameHue(p, 1, 0.55f, 0, 0.1f); });
    const int violet = shot.count(area, [](const Rgb& p) { return sameHue(p, 0.55f, 0, 1, 0.1f); });
    return std::min(orange, violet);
}

int statusPixels(const ScreenShot& shot, int r, int g, int b)
{
    return shot.count(Scene, [&](const Rgb& p) {
        return sameHue(p, static_cast<float>(r), static_cast<float>(g), static_cast<float>(b), 0.05f)
            && std::max({ p.r, p.g, p.b }) > 200;
    });
}

// Whether a key changes the pit view. The view before it is taken once the
// game has drawn two frames more, so it holds every earlier key's effect.
bool keyChangesScene(const GameProcess& game, const std::string& keys)
{
    if (!framesPassed(game, 2))
        return false;
    const ScreenShot before = ScreenShot::take();
    key(keys);
    return waitUntil([&] { return ScreenShot::take().differences(before, Scene) > 20; });
}

// Frames a second over a stretch of play, from the frame counter's file.
double framesPerSecond(const RunFolder& folder, std::chrono::milliseconds stretch)
{
    auto read = [&] {
        unsigned long frames = 0;
        double seconds = 0;
        std::ifstream(folder.path() / "frames.txt") >> frames >> seconds;
        return std::make_pair(frames, seconds);
    };
    const auto a = read();
    std::this_thread::sleep_for(stretch);
    const auto b = read();
    return b.second > a.second ? static_cast<double>(b.first - a.first) / (b.second - a.second) : 0.0;
}

// Waits until the game's window has the width, and returns it.
std::optional<WindowInfo> windowOfWidth(int width)
{
    std::optional<WindowInfo> window;
    waitUntil([&] {
        window = findWindowByTitle("Cubrava");
        return window && window->viewable && window->width == width;
    });
    return window;
}

} // namespace

TEST(Play, AGamePlayedFromTheKeyboard)
{
    RunFolder folder;
    folder.write("Textures/e2e-checker.bmp", checkerBmp());
    folder.write("Config/Levels.dat", TestLevel);
    folder.write("Config/Pieces.dat", BranchPiece);
    GameProcess game(folder, std::string(CUBRAVA_VIDMODE_SHIM) + " " + CUBRAVA_FRAME_COUNTER);
    const auto first = waitForWindow("Cubrava");
    ASSERT_TRUE(first) << game.standardError();
    EXPECT_TRUE(waitUntil([] { return textured(ScreenShot::take(), Scene) > 40; })) << "textured starting cubes";

    // Paused at start, the game waits for events: a busy machine gives it
    // less time, never more, so the share can only come out lower.
    ASSERT_TRUE(waitForNoWindow(kSplashTitle));
    const double pausedStart = game.cpuSeconds();
    std::this_thread::sleep_for(10s);
    const double pausedShare = (game.cpuSeconds() - pausedStart) / 10.0;
    std::cout << "processor share while paused: " << pausedShare * 100 << " %" << std::endl;
    EXPECT_LT(pausedShare, 0.03);

    // A new game: the green start message, then the first piece 3 s later,
    // never sooner (a busy machine may make it later).
    setNumLock(true);
    const auto started = std::chrono::steady_clock::now();
    key("alt+n");
    EXPECT_TRUE(waitUntil([] { return statusPixels(ScreenShot::take(), 0, 1, 0) > 300; })) << "the start message";
    EXPECT_TRUE(waitUntil([] { return statusPixels(ScreenShot::take(), 0, 1, 0) <= 100; })) << "the first piece";
    const double waited = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    std::cout << "first piece after " << waited << " s" << std::endl;
    EXPECT_GT(waited, 2.9);

    // Frozen, the piece moves only for the keys.
    key("alt+backslash");
    for (const char* keys : { "KP_4", "KP_6", "KP_8", "KP_2", "Left", "Right", "Up", "Down", "KP_Multiply",
             "KP_Subtract", "KP_Divide", "KP_Enter", "Insert", "KP_0" })
        EXPECT_TRUE(keyChangesScene(game, keys)) << keys;
    setNumLock(false);
    EXPECT_TRUE(keyChangesScene(game, "KP_0")) << "the next piece, dropped with NumLock off";

    // Unfrozen, it falls by itself.
    key("alt+backslash");
    ASSERT_TRUE(framesPassed(game, 2));
    const ScreenShot falling = ScreenShot::take();
    EXPECT_TRUE(waitUntil([&] { return ScreenShot::take().differences(falling, Scene) > 20; })) << "gravity";
    // Measured over stretches of play, only reported.
    const double running = framesPerSecond(folder, 3s);
    const double runningStart = game.cpuSeconds();
    std::this_thread::sleep_for(5s);
    std::cout << "frames per second while playing: " << running << std::endl;
    std::cout << "processor share while playing: " << (game.cpuSeconds() - runningStart) / 5.0 * 100 << " %"
              << std::endl;

    // Paused: "PAUSED" in magenta, and nothing moves in the pit, however long
    // it waits: longer than a gravity step, then a frame drawn after that.
    key("Escape");
    ScreenShot paused;
    EXPECT_TRUE(waitUntil([&] {
        paused = ScreenShot::take();
        return statusPixels(paused, 1, 0, 1) > 300;
    })) << "PAUSED";
    std::this_thread::sleep_for(2s);
    ASSERT_TRUE(redrawn(game, first->id));
    EXPECT_EQ(ScreenShot::take().differences(paused, Scene), 0);
    key("Escape");
    EXPECT_TRUE(waitUntil([] { return statusPixels(ScreenShot::take(), 1, 0, 1) < 20; })) << "PAUSED goes";

    // F6: a window of 80 % of the screen, still textured; F6 again: full screen.
    key("F6");
    std::optional<WindowInfo> window = windowOfWidth(819);
    ASSERT_TRUE(window);
    EXPECT_EQ(window->width, 819);
    EXPECT_EQ(window->height, 614);
    focusWindow(window->id); // as a window manager would
    const Rect windowScene { window->x, window->y, window->x + window->width * 3 / 4, window->y + window->height };
    EXPECT_TRUE(waitUntil([&] { return textured(ScreenShot::take(), windowScene) > 20; }))
        << "textures in the new window";

    key("F6");
    window = windowOfWidth(1024);
    ASSERT_TRUE(window);
    EXPECT_EQ(window->width, 1024);
    EXPECT_EQ(window->height, 768);
    EXPECT_TRUE(waitUntil([] { return textured(ScreenShot::take(), Scene) > 40; })) << "textures back in full screen";

    key("alt+q");
    EXPECT_EQ(game.waitForExit(Patience), 0) << game.standardError();
}
