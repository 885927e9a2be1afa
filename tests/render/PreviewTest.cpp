#include "data/LevelDef.h"
#include "model/PlayField.h"
#include "render/PreviewView.h"
#include "render/RenderContext.h"
#include "support/FakeDisplay.h"
#include "support/PieceMaking.h"

#include <gtest/gtest.h>

#include <memory>

using namespace cubrava;

namespace {

struct PreviewFixture : ::testing::Test {
    test::FakeDisplay display { 800, 600 };
    RenderContext context { display };
    LevelDef level { 5, 5, 8 };
    const PieceSet pieces = test::piecesOf({ test::cube, test::lineX3 });
    std::unique_ptr<PlayField> play;
    PreviewView preview { display };

    void SetUp() override
    {
        play = std::make_unique<PlayField>(level, pieces);
        preview.attach(*play);
        display.forget();
    }
};

using PreviewEvents = PreviewFixture;

} // namespace

TEST_F(PreviewEvents, ShowsNothingUntilStartedThenTheNextPieceTurning)
{
    EXPECT_EQ(preview.piece(), nullptr); // the field is not running yet
    EXPECT_FALSE(preview.turning());
    preview.turnStep();
    EXPECT_EQ(preview.angle(), 180.0f);
    EXPECT_EQ(display.redisplays, 0);

    play->start();
    ASSERT_NE(preview.piece(), nullptr);
    EXPECT_EQ(preview.piece(), play->nextPiece());
    EXPECT_TRUE(preview.turning());
    EXPECT_EQ(preview.centreX(), preview.piece()->ex * 0.5);
    EXPECT_EQ(preview.centreY(), preview.piece()->ey * 0.5);
    EXPECT_EQ(preview.centreZ(), preview.piece()->ez * 0.5);
    EXPECT_EQ(display.redisplays, 1);
    preview.prepare(context);
    EXPECT_EQ(display.compiled, std::vector<unsigned> { 1 });
}

TEST_F(PreviewEvents, EachNewPieceIsCompiledAgainAndTheEndStopsTheTurn)
{
    play->start();
    preview.prepare(context);
    display.forget();
    preview.prepare(context);
    EXPECT_TRUE(display.compiled.empty()) << "the same piece, the same list";
    play->advance(); // spawns, choosing a new next piece
    preview.prepare(context);
    EXPECT_EQ(display.compiled, std::vector<unsigned> { 1 });

    preview.onPlayEvent(*play, PlayEvent::PieceMoved, 0);
    EXPECT_TRUE(preview.turning());
    preview.onPlayEvent(*play, PlayEvent::GameOver, 0);
    EXPECT_FALSE(preview.turning());
    const float angle = preview.angle();
    preview.turnStep();
    EXPECT_EQ(preview.angle(), angle); // stops where it is

    preview.onPlayEvent(*play, PlayEvent::NextPieceChosen, 0);
    EXPECT_TRUE(preview.turning());
    preview.onPlayEvent(*play, PlayEvent::Stopped, 0);
    EXPECT_FALSE(preview.turning());
}

TEST_F(PreviewEvents, TurnsOneDegreeAStepAndWrapsAtFullCircle)
{
    play->start();
    display.forget();
    for (int i = 0; i < 179; ++i)
        preview.turnStep();
    EXPECT_EQ(preview.angle(), 359.0f);
    preview.turnStep();
    EXPECT_EQ(preview.angle(), 0.0f);
    EXPECT_EQ(display.redisplays, 180);
}

TEST_F(PreviewEvents, WithoutListNamesThePieceIsStillShown)
{
    display.makeLists = false;
    play->start();
    preview.prepare(context);
    EXPECT_NE(preview.piece(), nullptr);
    EXPECT_EQ(context.liveObjects(), 0u);
    EXPECT_TRUE(display.compiled.empty());
}
