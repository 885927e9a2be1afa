// Frames that redraw only what changed, on a real rendering context: the
// turning preview, the scrolling name and the lit menu row come out as a
// whole frame of the same moment draws them, and a change over the pit
// redraws the whole window (run under scripts/with-xvfb).
#include "GameRig.h"
#include "WindowScreen.h"
#include "render/GlutDisplay.h"
#include "support/PictureCompare.h"

#include <GL/freeglut.h>
#include <gtest/gtest.h>

using namespace cubrava;
using namespace cubrava::test;

TEST(PartialFrames, WhatChangedIsRedrawnAsAWholeFrameDrawsIt)
{
    ScratchDir dir;
    std::filesystem::create_directories("Textures");
    writeCheckerBmp("Textures/brushed-metal3.bmp", 4, 200, 120);
    writeGameFiles(dir,
        "<levels><level name='A name too long for the panel' x='4' y='4' z='8' goal='1' drop='250'><blocks>"
        "<b x='0' y='0' z='0' color='00FF00'/></blocks></level></levels>");
    FakeClock clock;
    GlutDisplay display;
    WindowScreen screen;
    screen.keepsBack = true;
    Game game(GameServices { clock, display, screen, [](int) {} });
    screen.enterFullScreen();
    game.startUp();
    game.reshape(Width, Height);
    game.keyboard('n', Modifiers { false, false, true });
    clock.advance(3000);
    ASSERT_NE(game.play()->activePiece(), nullptr);
    ASSERT_TRUE(game.drawFrame().whole) << "the first frame of a display";

    // The frame as drawn in parts, then the same moment drawn whole.
    const auto sameAsWhole = [&](const FrameChanges& drawn) {
        const std::vector<std::uint8_t> parts = readBackBuffer(Width, Height);
        screen.keepsBack = false;
        EXPECT_TRUE(game.drawFrame().whole);
        screen.keepsBack = true;
        EXPECT_TRUE(readBackBuffer(Width, Height) == parts)
            << differingPixels(readBackBuffer(Width, Height), parts) << " pixels differ by more than three levels";
        return drawn;
    };

    // Playing: each animation step turns the preview and scrolls the name.
    for (int step = 0; step < 3; ++step) {
        game.idle();
        const FrameChanges drawn = sameAsWhole(game.drawFrame());
        EXPECT_FALSE(drawn.whole);
        ASSERT_EQ(drawn.areas.size(), 2u);
        EXPECT_EQ(drawn.areas[0].width, game.preview().viewport().width);
        EXPECT_LT(drawn.areas[1].height, game.hud().viewport().height / 4) << "the name's band, not the whole panel";
    }
    // The piece falls a layer: the pit's view changes, the window is redrawn.
    clock.advance(250);
    EXPECT_TRUE(game.drawFrame().whole);

    // Paused, the pointer over a menu row lights it: the panel alone changes.
    game.keyboard(EscapeKey, Modifiers {});
    EXPECT_TRUE(game.drawFrame().whole) << "PAUSED over the pit";
    const MenuButton& row = *game.hud().buttons().front();
    game.motion(row.hitLeft() + 2, row.hitBaseline() - 2);
    const FrameChanges lit = sameAsWhole(game.drawFrame());
    EXPECT_FALSE(lit.whole);
    ASSERT_EQ(lit.areas.size(), 1u);
    EXPECT_EQ(lit.areas[0].height, game.hud().viewport().height);
    EXPECT_TRUE(game.drawFrame().areas.empty()) << "nothing changed, nothing drawn";
}
