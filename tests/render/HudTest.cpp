#include "render/Hud.h"
#include "HudFixture.h"
#include "model/PlayField.h"
#include "support/PieceMaking.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

using namespace cubrava;

// The layout follows the panel: the font is the smallest at which "Level:"
// is wider than 35 % of the panel, the menu's is three quarters of it; the
// name's band is centred across the panel and keeps its place as the panel
// grows, and the name is measured in panel widths from the band's left edge.
TEST_F(HudFixture, TheLayoutFollowsThePanel)
{
    struct Laid {
        int fontSize, bandBottom, bandHeight;
    };
    std::vector<Laid> laid;
    for (const auto& [width, height] : { std::pair { 1024, 768 }, std::pair { 2048, 1536 } }) {
        SCOPED_TRACE(width);
        const ViewRect panel = panelOf(width, height);
        hud.setViewport(panel);
        const ViewRect& v = hud.viewport();
        EXPECT_TRUE(v == panel);

        const int size = hud.font().size();
        const double fitted = 0.35 * panel.width;
        EXPECT_GT(hud.font().textWidth("Level:"), fitted);
        TextFont smaller;
        smaller.open(testFontFile());
        smaller.setSize(size - 1);
        EXPECT_LE(smaller.textWidth("Level:"), fitted);
        EXPECT_EQ(hud.menuFont().size(), static_cast<int>(0.75 * size));
        EXPECT_EQ(hud.buttons()[0]->labelWidth(), hud.menuFont().textWidth("new game"));

        EXPECT_LT(hud.bandLeft(), hud.bandRight());
        EXPECT_FLOAT_EQ(hud.bandLeft() + hud.bandRight(), 1.0f) << "centred";
        EXPECT_GT(hud.bandHeight(), 0);
        EXPECT_LE(hud.bandBottom() + hud.bandHeight(), panel.height);
        EXPECT_FLOAT_EQ(hud.nameWidth(), hud.font().textWidth("Warm up") / static_cast<float>(panel.width));
        laid.push_back({ size, hud.bandBottom(), hud.bandHeight() });
    }
    EXPECT_GT(laid[1].fontSize, laid[0].fontSize);
    EXPECT_NEAR(laid[1].bandBottom, 2 * laid[0].bandBottom, 1);
    EXPECT_NEAR(laid[1].bandHeight, 2 * laid[0].bandHeight, 1);
}

TEST_F(HudFixture, ANameShownBeforeLayoutIsMeasuredByTheLayout)
{
    EXPECT_FLOAT_EQ(hud.nameWidth(), 0.0f);
    hud.setViewport(panelOf(1024, 768));
    LevelDef next;
    next.name = "A much longer level name than before";
    hud.showLevel(next);
    EXPECT_EQ(hud.level(), &next);
    EXPECT_FLOAT_EQ(hud.nameWidth(), hud.font().textWidth(next.name) / 256.0f);
    EXPECT_GT(hud.nameWidth(), 1.0f);
    EXPECT_FLOAT_EQ(hud.scroll(), hud.bandLeft());
}

TEST_F(HudFixture, TheNameLeavesAtTheLeftAndComesBackAtTheRight)
{
    hud.setViewport(panelOf(1024, 768));
    const float leftEnd = hud.bandLeft() - hud.nameWidth();
    ASSERT_LT(hud.nameWidth(), hud.bandRight() - hud.bandLeft()) << "narrower than the band";

    int steps = 0;
    float lowest = hud.scroll();
    while (hud.scroll() != hud.bandRight() && steps < 10000) {
        hud.scrollStep();
        ++steps;
        if (hud.scroll() != hud.bandRight())
            lowest = std::min(lowest, hud.scroll());
    }
    EXPECT_FLOAT_EQ(hud.scroll(), hud.bandRight());
    EXPECT_GE(lowest, leftEnd) << "it wraps as soon as it has left the band";
    EXPECT_LT(lowest, leftEnd + 0.005f);
    EXPECT_NEAR(steps, (hud.bandLeft() - leftEnd) / 0.005f + 1, 1.5);

    // From the right edge the whole band and the name pass before the next wrap.
    hud.scrollStep();
    EXPECT_FLOAT_EQ(hud.scroll(), hud.bandRight() - 0.005f);
    EXPECT_GT(display.redisplays, steps) << "every step is redrawn";
}

TEST(HudNumbers, EndAtOneRightEdge)
{
    TextFont font;
    font.open(testFontFile());
    font.setSize(26);
    const int five = font.textWidth("5");
    const int twelve = font.textWidth("12");
    ASSERT_LT(five, twelve);
    const int widest = twelve;

    // 512 pixels high: one panel unit is 102.4 pixels.
    EXPECT_FLOAT_EQ(numberShift(five, widest, 512) * 102.4f, static_cast<float>(twelve - five));
    EXPECT_FLOAT_EQ(numberShift(twelve, widest, 512), 0.0f);
    // A panel that is not twice as high as wide still ends both at one edge.
    EXPECT_FLOAT_EQ(numberShift(five, widest, 704) * (704 / 5.0f), static_cast<float>(twelve - five));
    EXPECT_FLOAT_EQ(numberShift(five, widest, 0), 0.0f);
}

TEST(HudProgress, CountsClearedLayersOfTheShownLevelAndCompletesIt)
{
    const PieceSet pieces = test::piecesOf({ test::cube });
    test::FakeDisplay display;
    TextFakeActions actions;
    int goalsReached = 0;
    Hud hud(
        display, actions, [&] { ++goalsReached; }, testFontFile());
    LevelDef level(1, 1, 4);
    level.goal = 2;
    hud.showLevel(level);

    PlayField play(level, pieces);
    play.addListener(hud);
    play.start();
    EXPECT_EQ(hud.lines(), 0u);
    // Gravity by hand: every landing in a 1 x 1 pit fills and clears a layer.
    for (int step = 0; step < 100 && play.isRunning(); ++step) {
        const std::uint32_t lines = hud.lines();
        const int redisplays = display.redisplays;
        while (!play.pending().empty() && play.isRunning())
            play.advance();
        play.move(MoveKind::StepDown);
        while (!play.pending().empty() && play.isRunning())
            play.advance();
        if (hud.lines() != lines) {
            EXPECT_GT(display.redisplays, redisplays) << "a new count is redrawn";
        }
    }
    EXPECT_EQ(hud.lines(), 2u);
    EXPECT_EQ(goalsReached, 1);
    EXPECT_FALSE(play.isRunning());

    // A new game of the level counts from 0 again.
    PlayField again(level, pieces);
    again.addListener(hud);
    again.start();
    EXPECT_EQ(hud.lines(), 0u);
}
