// Caps Lock on, as a player may leave it: the Alt bindings still work.

#include "support/screen/Desktop.h"
#include "support/screen/GameProcess.h"
#include "support/screen/ScreenShot.h"

#include <gtest/gtest.h>

using namespace cubrava;
using namespace cubrava::e2e;
using namespace std::chrono_literals;

namespace {

const Rect Scene { 0, 0, 768, 768 };

bool startMessageShown()
{
    return ScreenShot::take().count(Scene, [](const Rgb& p) { return p.g > 200 && p.r < 60 && p.b < 60; }) > 300;
}

} // namespace

TEST(CapsLock, AltNStartsAndAltQQuitsWithCapsLockOn)
{
    RunFolder folder;
    GameProcess game(folder, CUBRAVA_VIDMODE_SHIM);
    ASSERT_TRUE(waitForWindow("Cubrava")) << game.standardError();
    ASSERT_TRUE(setCapsLock(true));

    // A key sent before the game listens is lost; another Alt + N only starts
    // the game again. The start message shows for 3 s.
    bool started = false;
    const auto deadline = std::chrono::steady_clock::now() + 2 * Patience;
    while (!started && std::chrono::steady_clock::now() < deadline) {
        key("alt+n");
        started = waitUntil(startMessageShown, 5s);
    }
    EXPECT_TRUE(started) << "Alt + N with Caps Lock on started no game";

    key("alt+q");
    EXPECT_EQ(game.waitForExit(Patience), 0) << game.standardError();
}
