// F1 over a game in play: the keys over the pit, play paused beneath them,
// and gone again with F1, the pit as it was.

#include "support/screen/Desktop.h"
#include "support/screen/GameProcess.h"
#include "support/screen/ScreenShot.h"

#include <gtest/gtest.h>

using namespace cubrava;
using namespace cubrava::e2e;

namespace {

const Rect Scene { 0, 0, 768, 768 };

// The keys' yellow, in the top third of the pit where the help starts.
int helpKeyPixels(const ScreenShot& shot)
{
    return shot.count({ 0, 0, 768, 256 }, [](const Rgb& p) { return p.r > 220 && p.g > 180 && p.g < 235 && p.b < 80; });
}

} // namespace

TEST(KeyHelp, F1ShowsTheKeysOverThePausedPitAndF1HidesThem)
{
    RunFolder folder;
    GameProcess game(folder, std::string(CUBRAVA_VIDMODE_SHIM) + " " + CUBRAVA_FRAME_COUNTER);
    const auto window = waitForWindow("Cubrava");
    ASSERT_TRUE(window) << game.standardError();
    ASSERT_TRUE(waitForNoWindow("Cubrava splash"));
    focusWindow(window->id);
    key("alt+n");
    ASSERT_TRUE(redrawn(game, window->id));
    const int before = helpKeyPixels(ScreenShot::take());

    key("F1");
    ASSERT_TRUE(redrawn(game, window->id));
    const ScreenShot shown = ScreenShot::take();
    EXPECT_GT(helpKeyPixels(shown), before + 500) << "no keys over the pit";
    // Paused: a frame drawn later shows the same pit.
    ASSERT_TRUE(redrawn(game, window->id));
    EXPECT_LT(ScreenShot::take().differences(shown, Scene), 50);

    key("F1");
    ASSERT_TRUE(redrawn(game, window->id));
    EXPECT_LT(helpKeyPixels(ScreenShot::take()), before + 100) << "the keys stayed";
    key("alt+q");
    EXPECT_EQ(game.waitForExit(Patience), 0) << game.standardError();
}
