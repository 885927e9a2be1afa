#include "PlaySupport.h"

#include <gtest/gtest.h>

using namespace cubrava;
using namespace cubrava::test;

namespace {

// A started field with its first piece in the pit.
std::unique_ptr<PlayField> startedField(const LevelDef& def, const PieceSet& pieces)
{
    auto play = std::make_unique<PlayField>(def, pieces);
    play->start();
    play->advance();
    return play;
}

} // namespace

TEST(FallingPiece, SpawnsCentredRoundingTowardsTheOriginFourLayersAboveTheRim)
{
    const PieceSet pieces = piecesOf({ { { 0, 0, 0 }, { 1, 0, 0 }, { 0, 1, 0 }, { 1, 1, 0 } } });
    LevelDef def = level(5, 5, 6);
    auto two = startedField(def, pieces);
    EXPECT_EQ(two->piecePosition().x, 1);
    EXPECT_EQ(two->piecePosition().y, 1);
    EXPECT_EQ(two->piecePosition().z, two->pit().gridHeight() - 5);
    EXPECT_EQ(two->dropDistance(), 6 + 3);
}

TEST(FallingPiece, AThreeWidePieceSpawnsAtOneInAFiveWidePit)
{
    const PieceSet pieces = piecesOf({ lineX3 });
    const LevelDef def = level(5, 5, 10);
    auto play = startedField(def, pieces);
    EXPECT_EQ(play->piecePosition().x, 1);
    EXPECT_EQ(play->piecePosition().y, 2);
    EXPECT_EQ(play->dropDistance(), 13);
}

TEST(FallingPiece, DropToFloorMovesWithoutLandingAndTheNextRequestLands)
{
    const PieceSet pieces = piecesOf({ cube });
    const LevelDef def = level(3, 3, 4);
    PlayField play(def, pieces);
    PlayRecorder recorder;
    play.addListener(recorder);
    play.start();
    play.advance();
    ASSERT_EQ(play.dropDistance(), 7);
    const int z = play.piecePosition().z;

    play.move(MoveKind::DropToFloor);
    EXPECT_EQ(play.piecePosition().z, z - 7);
    EXPECT_EQ(play.dropDistance(), 0);
    EXPECT_EQ(recorder.events.back().first, PlayEvent::PieceMoved);
    EXPECT_NE(play.activePiece(), nullptr);

    play.move(MoveKind::DropToFloor);
    EXPECT_EQ(recorder.count(PlayEvent::PieceLanded), 1);
    EXPECT_EQ(play.activePiece(), nullptr);
    EXPECT_EQ(play.pit().occupancy(pos(1, 1, 0)), Occupancy::Filled);
    ASSERT_EQ(play.pending().size(), 2u);
    EXPECT_EQ(play.pending()[0].kind, PlayAction::FinishTurn);
    EXPECT_EQ(play.pending()[1].kind, PlayAction::SpawnPiece);
}

TEST(FallingPiece, StepDownLowersOneLayerAndLandsOnCubes)
{
    const PieceSet pieces = piecesOf({ cube });
    const LevelDef def = level(3, 3, 4, { { 1, 1, 0 }, { 1, 1, 1 } });
    auto play = startedField(def, pieces);
    EXPECT_EQ(play->dropDistance(), 5);
    for (int i = 0; i < 5; ++i)
        play->move(MoveKind::StepDown);
    EXPECT_EQ(play->piecePosition().z, 2);
    EXPECT_NE(play->activePiece(), nullptr);
    play->move(MoveKind::StepDown);
    EXPECT_EQ(play->activePiece(), nullptr);
    EXPECT_EQ(play->pit().occupancy(pos(1, 1, 2)), Occupancy::Filled);
    EXPECT_EQ(play->pit().stackHeight(), 3);
}

TEST(FallingPiece, BlockedMovesAndTurnsAreRefusedSilentlyWithoutAKick)
{
    const PieceSet pieces = piecesOf({ lineY3 });
    const LevelDef def = level(3, 3, 6, { { 0, 0, 9 } });
    PlayField play(def, pieces);
    PlayRecorder recorder;
    play.addListener(recorder);
    play.start();
    play.advance();
    ASSERT_EQ(play.piecePosition().x, 1);
    ASSERT_EQ(play.piecePosition().y, 0);

    play.move(MoveKind::XPlus);
    ASSERT_EQ(play.piecePosition().x, 2);
    const std::size_t before = recorder.events.size();
    const PieceDef shape = *play.activePiece();

    play.move(MoveKind::XPlus); // wall
    play.move(MoveKind::YMinus); // wall
    play.move(MoveKind::RotateZ); // would reach x = 4
    play.move(42); // no such request
    play.move(-1);
    EXPECT_EQ(recorder.events.size(), before);
    EXPECT_EQ(play.piecePosition().x, 2);
    EXPECT_EQ(play.activePiece()->ex, shape.ex);
    EXPECT_EQ(play.activePiece()->orientation, shape.orientation);

    // A filled cell blocks as a wall does: the headroom cube at (0, 0, 9) sits in the piece's way.
    play.move(MoveKind::XMinus);
    play.move(MoveKind::XMinus);
    EXPECT_EQ(play.piecePosition().x, 1);
    EXPECT_EQ(recorder.events.size(), before + 1);
}

TEST(FallingPiece, TurnsFollowTheTablesAndFourTurnsComeBack)
{
    PieceDef straight({ Block { 0, 0, 0, nullptr }, Block { 1, 0, 0, nullptr }, Block { 2, 0, 0, nullptr } }, 0);
    PieceDef turned = rotatedZ(straight);
    EXPECT_EQ(turned.ex, 1);
    EXPECT_EQ(turned.ey, 3);
    EXPECT_EQ(turned.ez, 1);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(turned.blocks[static_cast<std::size_t>(i)].x, 0);
        EXPECT_EQ(turned.blocks[static_cast<std::size_t>(i)].y, i);
    }
    EXPECT_EQ(turned.orientation, turnZ(0));

    const PieceSet pieces = piecesOf({ { { 0, 0, 0 }, { 1, 0, 0 }, { 0, 1, 0 }, { 0, 0, 1 } } });
    const LevelDef def = level(6, 6, 8);
    auto play = startedField(def, pieces);
    for (MoveKind turn : { MoveKind::RotateX, MoveKind::RotateY, MoveKind::RotateZ }) {
        const PieceDef start = *play->activePiece();
        for (int i = 0; i < 4; ++i) {
            play->move(turn);
            if (i < 3) {
                EXPECT_NE(play->activePiece()->orientation, start.orientation);
            }
        }
        const PieceDef& end = *play->activePiece();
        EXPECT_EQ(end.orientation, start.orientation);
        for (std::size_t b = 0; b < start.blocks.size(); ++b) {
            EXPECT_EQ(end.blocks[b].x, start.blocks[b].x);
            EXPECT_EQ(end.blocks[b].y, start.blocks[b].y);
            EXPECT_EQ(end.blocks[b].z, start.blocks[b].z);
            EXPECT_EQ(end.blocks[b].material, start.blocks[b].material);
        }
    }
}

TEST(FallingPiece, AnOverlappingSpawnEndsPlayAndTheFieldGoesQuiet)
{
    const PieceSet pieces = piecesOf({ cube });
    // The spawn cell of a cube in a 3 x 3 x 4 pit is (1, 1, 7).
    const LevelDef def = level(3, 3, 4, { { 1, 1, 7 } });
    PlayField play(def, pieces);
    PlayRecorder recorder;
    play.addListener(recorder);
    play.start();
    play.advance();
    ASSERT_GE(recorder.events.size(), 4u);
    EXPECT_EQ(recorder.events[recorder.events.size() - 2].first, PlayEvent::GameOver);
    EXPECT_EQ(recorder.events.back().first, PlayEvent::PieceSpawned);
    EXPECT_FALSE(play.isRunning());
    EXPECT_EQ(play.activePiece(), nullptr);
    EXPECT_EQ(play.nextPiece(), nullptr);
    const std::size_t before = recorder.events.size();
    play.move(MoveKind::XMinus);
    play.move(MoveKind::DropToFloor);
    EXPECT_EQ(recorder.events.size(), before);
}
