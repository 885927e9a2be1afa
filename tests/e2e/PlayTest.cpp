// A game played with the keyboard on a 1024 x 768 screen, with GLUT's real
// game mode (a stand-in for the display's mode switching is preloaded).

#include "Desktop.h"
#include "GameProcess.h"
#include "ScreenShot.h"
#include "support/BmpWriter.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <iostream>

using namespace cubrava;
using namespace cubrava::e2e;
using namespace std::chrono_literals;

namespace {

const Rect Scene{0, 0, 768, 768};

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
const char* const BranchPiece = "<pieces><piece>"
                                "<c x='0' y='0' z='0' color='A0A0A0'/><c x='1' y='0' z='0' color='A0A0A0'/>"
                                "<c x='0' y='1' z='0' color='A0A0A0'/><c x='0' y='0' z='1' color='A0A0A0'/>"
                                "</piece></pieces>";

const char* const TestLevel =
    "<levels>\n"
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
    return shot.count(Scene, [&](const Rgb& p) { return sameHue(p, static_cast<float>(r), static_cast<float>(g),
                                                                 static_cast<float>(b), 0.05f) &&
                                                         std::max({p.r, p.g, p.b}) > 200; });
}

// Whether a key changes the pit view within a short while.
bool keyChangesScene(const std::string& keys)
{
    const ScreenShot before = ScreenShot::take();
    key(keys);
    pause(250);
    return ScreenShot::take().differences(before, Scene) > 20;
}

double framesPerSecond(const RunFolder& folder, int ms)
{
    auto read = [&] {
        unsigned long frames = 0;
        double seconds = 0;
        std::ifstream(folder.path() / "frames.txt") >> frames >> seconds;
        return std::make_pair(frames, seconds);
    };
    const auto a = read();
    pause(ms);
    const auto b = read();
    return b.second > a.second ? static_cast<double>(b.first - a.first) / (b.second - a.second) : 0.0;
}

} // namespace

TEST(Play, AGamePlayedFromTheKeyboard)
{
    RunFolder folder;
    folder.write("Textures/e2e-checker.bmp", checkerBmp());
    folder.write("Config/Levels.dat", TestLevel);
    folder.write("Config/Pieces.dat", BranchPiece);
    GameProcess game(folder, std::string(CUBRAVA_VIDMODE_SHIM) + " " + CUBRAVA_FRAME_COUNTER);
    ASSERT_TRUE(waitForWindow("Cubrava", 10s)) << game.standardError();
    pause(1500);
    EXPECT_GT(textured(ScreenShot::take(), Scene), 40) << "textured starting cubes";

    const double pausedStart = game.cpuSeconds();
    pause(10000);
    const double pausedShare = (game.cpuSeconds() - pausedStart) / 10.0;
    std::cout << "processor share while paused: " << pausedShare * 100 << " %" << std::endl;
    EXPECT_LT(pausedShare, 0.03);

    // A new game: the green start message, then the first piece about 3 s later.
    setNumLock(true);
    key("alt+n");
    const auto started = std::chrono::steady_clock::now();
    pause(300);
    EXPECT_GT(statusPixels(ScreenShot::take(), 0, 1, 0), 300) << "the start message";
    while (statusPixels(ScreenShot::take(), 0, 1, 0) > 100 && std::chrono::steady_clock::now() - started < 6s)
        pause(50);
    const double waited = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    std::cout << "first piece after " << waited << " s" << std::endl;
    EXPECT_GT(waited, 2.7);
    EXPECT_LT(waited, 3.8);

    // Frozen, the piece moves only for the keys.
    key("alt+backslash");
    pause(300);
    for (const char* keys : {"KP_4", "KP_6", "KP_8", "KP_2", "Left", "Right", "Up", "Down", "KP_Multiply",
                             "KP_Subtract", "KP_Divide", "KP_Enter", "Insert", "KP_0"})
        EXPECT_TRUE(keyChangesScene(keys)) << keys;
    setNumLock(false);
    EXPECT_TRUE(keyChangesScene("KP_0")) << "the next piece, dropped with NumLock off";

    // Unfrozen, it falls by itself.
    key("alt+backslash");
    pause(1500);
    const ScreenShot falling = ScreenShot::take();
    pause(1700);
    EXPECT_GT(ScreenShot::take().differences(falling, Scene), 20) << "gravity";
    const double running = framesPerSecond(folder, 3000);
    const double runningStart = game.cpuSeconds();
    pause(5000);
    std::cout << "frames per second while playing: " << running << std::endl;
    std::cout << "processor share while playing: " << (game.cpuSeconds() - runningStart) / 5.0 * 100 << " %"
              << std::endl;

    // Paused: "PAUSED" in magenta, and nothing moves in the pit.
    key("Escape");
    pause(400);
    const ScreenShot paused = ScreenShot::take();
    EXPECT_GT(statusPixels(paused, 1, 0, 1), 300) << "PAUSED";
    pause(2000);
    EXPECT_EQ(ScreenShot::take().differences(paused, Scene), 0);
    key("Escape");
    pause(400);
    EXPECT_LT(statusPixels(ScreenShot::take(), 1, 0, 1), 20);

    // F6: a window of 80 % of the screen, still textured; F6 again: full screen.
    key("F6");
    std::optional<WindowInfo> window;
    for (int i = 0; i < 50; ++i) {
        window = findWindowByTitle("Cubrava");
        if (window && window->viewable && window->width == 819)
            break;
        pause(100);
    }
    ASSERT_TRUE(window);
    EXPECT_EQ(window->width, 819);
    EXPECT_EQ(window->height, 614);
    focusWindow(window->id); // as a window manager would
    pause(1000);
    const Rect windowScene{window->x, window->y, window->x + window->width * 3 / 4, window->y + window->height};
    EXPECT_GT(textured(ScreenShot::take(), windowScene), 20) << "textures in the new window";

    key("F6");
    for (int i = 0; i < 50; ++i) {
        window = findWindowByTitle("Cubrava");
        if (window && window->viewable && window->width == 1024)
            break;
        pause(100);
    }
    ASSERT_TRUE(window);
    EXPECT_EQ(window->width, 1024);
    EXPECT_EQ(window->height, 768);
    pause(1000);
    EXPECT_GT(textured(ScreenShot::take(), Scene), 40) << "textures back in full screen";

    key("alt+q");
    EXPECT_EQ(game.waitForExit(5s), 0) << game.standardError();
}
