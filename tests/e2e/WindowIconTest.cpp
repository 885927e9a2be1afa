// The game's window carries the program's icon, whether GLUT's game mode
// made it or a window covering the screen stands in for it.

#include "Desktop.h"
#include "GameProcess.h"
#include "WindowIcons.h"

#include <gtest/gtest.h>

using namespace cubrava;
using namespace cubrava::e2e;
using namespace std::chrono_literals;

namespace {

void expectGameWindowIcon(const std::string& preload)
{
    RunFolder folder;
    GameProcess game(folder, preload);
    auto window = waitForWindow("Cubrava", 20s);
    ASSERT_TRUE(window) << game.standardError();
    EXPECT_EQ(iconMismatch(window->id), "");
    key("alt+q");
    EXPECT_EQ(game.waitForExit(10s), 0) << game.standardError();
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
