// Caps Lock on, as a player may leave it: the Alt bindings still work.

#include "Desktop.h"
#include "GameProcess.h"
#include "ScreenShot.h"

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

// Polls until the condition holds or the time is up.
template <typename Condition> bool waitFor(Condition condition, std::chrono::milliseconds limit)
{
    const auto deadline = std::chrono::steady_clock::now() + limit;
    while (!condition()) {
        if (std::chrono::steady_clock::now() >= deadline)
            return false;
        pause(50);
    }
    return true;
}

} // namespace

TEST(CapsLock, AltNStartsAndAltQQuitsWithCapsLockOn)
{
    RunFolder folder;
    GameProcess game(folder, CUBRAVA_VIDMODE_SHIM);
    ASSERT_TRUE(waitForWindow("Cubrava", 20s)) << game.standardError();
    ASSERT_TRUE(setCapsLock(true));

    // A key sent before the game listens is lost; another Alt + N only starts
    // the game again.
    bool started = false;
    const auto deadline = std::chrono::steady_clock::now() + 30s;
    while (!started && std::chrono::steady_clock::now() < deadline) {
        key("alt+n");
        started = waitFor(startMessageShown, 3s);
    }
    EXPECT_TRUE(started) << "Alt + N with Caps Lock on started no game";

    key("alt+q");
    EXPECT_EQ(game.waitForExit(20s), 0) << game.standardError();
}
