// The game's window carries the program's icon, whether GLUT's game mode
// made it or a window covering the screen stands in for it.

#include "platform/SplashWindow.h"
#include "support/screen/Desktop.h"
#include "support/screen/GameProcess.h"
#include "support/screen/WindowIcons.h"

#include <gtest/gtest.h>

using namespace cubrava;
using namespace cubrava::e2e;

namespace {

void expectGameWindowIcon(const std::string& preload)
{
    RunFolder folder;
    GameProcess game(folder, preload);
    auto window = waitForWindow("Cubrava");
    ASSERT_TRUE(window) << game.standardError();
    // GLUT maps a new window before the program gives it the icon.
    waitUntil([&] { return !windowIcons(window->id).empty(); });
    EXPECT_EQ(iconMismatch(window->id), "");
    // The splash takes the keys under the pointer until it closes.
    ASSERT_TRUE(waitForNoWindow(kSplashTitle));
    key("alt+q");
    EXPECT_EQ(game.waitForExit(Patience), 0) << game.standardError();
}

} // namespace

TEST(WindowIcon, TheCoveringWindowCarriesTheIcon)
{
    expectGameWindowIcon("");
}

TEST(WindowIcon, TheGameModeWindowCarriesTheIcon)
{
    expectGameWindowIcon(CUBRAVA_VIDMODE_SHIM);
}
