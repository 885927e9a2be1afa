#include "PlaySupport.h"

#include <gtest/gtest.h>

using namespace cubrava;
using namespace cubrava::test;

namespace {

std::vector<std::array<int, 3>> actions(const PlayField& play)
{
    std::vector<std::array<int, 3>> out;
    for (const PlayAction& a : play.pending())
        out.push_back({ a.kind, a.a, a.b });
    return out;
}

} // namespace

// A 3 x 1 pit whose column x = 2 is empty: a standing piece of three fills
// layers 0, 1 and 2 there; layer 1 has a gap at x = 1, so only 0 and 2 fill.
TEST(LayerClearing, LayersClearAndSinkBottomUpOneActionAtATime)
{
    const PieceSet pieces = piecesOf({ column(3) });
    LevelDef def = level(3, 1, 6, { { 0, 0, 0 }, { 1, 0, 0 }, { 0, 0, 1 }, { 0, 0, 2 }, { 1, 0, 2 }, { 0, 0, 3 } });
    PlayField play(def, pieces);
    PlayRecorder recorder;
    play.addListener(recorder);
    play.pit().addCellObserver(recorder);
    play.start();
    play.advance();
    play.move(MoveKind::XPlus);
    ASSERT_EQ(play.piecePosition().x, 2);
    const Material* oldLayer3 = play.pit().cellAt(pos(0, 0, 3))->material;
    dropAndLand(play);

    using A = PlayAction;
    const std::vector<std::array<int, 3>> expected = { { A::ClearLayer, 0, 0 }, { A::MoveLayer, 1, 0 },
        { A::ClearLayer, 2, 0 }, { A::MoveLayer, 3, 1 }, { A::FinishTurn, 0, 0 }, { A::SpawnPiece, 0, 0 } };
    EXPECT_EQ(actions(play), expected);
    EXPECT_EQ(play.pit().stackHeight(), 2) << "set at once, before the cells move";
    EXPECT_EQ(play.pit().layerCount(0), 3) << "cells change only as the actions run";

    recorder.events.clear();
    const int observed = recorder.cellChanges;
    for (int i = 0; i < 4; ++i)
        play.advance();
    const std::vector<std::pair<PlayEvent, int>> told
        = { { PlayEvent::LayerClearing, 0 }, { PlayEvent::LayerCleared, 0 }, { PlayEvent::LayerDropped, 0 },
              { PlayEvent::LayerClearing, 2 }, { PlayEvent::LayerCleared, 2 }, { PlayEvent::LayerDropped, 1 } };
    EXPECT_EQ(recorder.events, told);
    EXPECT_EQ(recorder.cellChanges, observed + 4) << "once per layer action";

    // Old layer 1 (x = 0 and the piece's x = 2) lies on layer 0, old layer 3 on layer 1.
    EXPECT_EQ(play.pit().occupancy(pos(0, 0, 0)), Occupancy::Filled);
    EXPECT_EQ(play.pit().occupancy(pos(1, 0, 0)), Occupancy::Empty);
    EXPECT_EQ(play.pit().occupancy(pos(2, 0, 0)), Occupancy::Filled);
    EXPECT_EQ(play.pit().cellAt(pos(0, 0, 1))->material, oldLayer3);
    EXPECT_EQ(play.pit().layerCount(0), 2);
    EXPECT_EQ(play.pit().layerCount(1), 1);
    for (int z = 2; z < 6; ++z)
        EXPECT_EQ(play.pit().layerCount(z), 0) << z;
}

TEST(LayerClearing, FillingOnlyTheTopLayerSinksNothing)
{
    const PieceSet pieces = piecesOf({ cube });
    // A floating cube at (1, 0, 1); the falling cube lands on (0, 0, 0) beside it.
    const LevelDef def = level(2, 1, 5, { { 0, 0, 0 }, { 1, 0, 1 } });
    PlayField play(def, pieces);
    play.start();
    play.advance();
    ASSERT_EQ(play.piecePosition().x, 0);
    dropAndLand(play);
    using A = PlayAction;
    const std::vector<std::array<int, 3>> expected
        = { { A::ClearLayer, 1, 0 }, { A::FinishTurn, 0, 0 }, { A::SpawnPiece, 0, 0 } };
    EXPECT_EQ(actions(play), expected);
    EXPECT_EQ(play.pit().stackHeight(), 1);
}

TEST(LayerClearing, CubesLeftAboveTheRimEndPlayEvenWhileLayersClear)
{
    const PieceSet pieces = piecesOf({ column(5) });
    const LevelDef def = level(2, 1, 3, { { 0, 0, 0 } });
    PlayField play(def, pieces);
    PlayRecorder recorder;
    play.addListener(recorder);
    play.start();
    play.advance();
    play.move(MoveKind::XPlus);
    dropAndLand(play);
    ASSERT_EQ(recorder.events.back().first, PlayEvent::GameOver);
    EXPECT_EQ(recorder.events[recorder.events.size() - 2].first, PlayEvent::PieceLanded);
    EXPECT_FALSE(play.isRunning());
    EXPECT_EQ(play.pit().stackHeight(), 4);
    // Only the layer actions are queued; they still run.
    using A = PlayAction;
    const std::vector<std::array<int, 3>> expected = { { A::ClearLayer, 0, 0 }, { A::MoveLayer, 1, 0 },
        { A::MoveLayer, 2, 1 }, { A::MoveLayer, 3, 2 }, { A::MoveLayer, 4, 3 } };
    EXPECT_EQ(actions(play), expected);
    settle(play);
    EXPECT_EQ(play.pit().occupancy(pos(1, 0, 3)), Occupancy::Filled);
    EXPECT_EQ(play.pit().occupancy(pos(1, 0, 4)), Occupancy::Empty);
    EXPECT_EQ(recorder.count(PlayEvent::PieceSpawned), 1);
}

TEST(LayerClearing, EveryListenerHearsEachEventInRegistrationOrder)
{
    const PieceSet pieces = piecesOf({ cube });
    const LevelDef def = level(1, 1, 4);
    PlayField play(def, pieces);
    std::vector<std::string> log;
    PlayRecorder a, b;
    a.name = "a";
    b.name = "b";
    a.shared = b.shared = &log;
    play.addListener(a);
    play.addListener(b);
    play.addListener(a);
    play.advance(); // nothing queued: nothing told
    EXPECT_TRUE(log.empty());

    play.start();
    play.advance();
    dropAndLand(play);
    settle(play);
    const std::vector<std::string> expected = {
        "a:0", "b:0", // Started
        "a:3", "b:3", "a:5", "b:5", // NextPieceChosen, PieceSpawned
        "a:6", "b:6", "a:8", "b:8", // PieceMoved, PieceLanded (a 1 x 1 pit: the layer is full)
        "a:9", "b:9", "a:10", "b:10", // LayerClearing, LayerCleared
        "a:4", "b:4", // TurnFinished
        "a:3", "b:3", "a:5", "b:5", // the next piece
    };
    EXPECT_EQ(log, expected);
}

TEST(LevelGoal, ThreeLinesOverTwoTurnsCompleteTheLevelAtTheEndOfTheSecond)
{
    const PieceSet pieces = piecesOf({ column(2) });
    const LevelDef def = level(2, 1, 6, { { 0, 0, 0 }, { 0, 0, 1 }, { 0, 0, 2 } }, 3);
    int advanced = 0;
    ShellGame game(def, pieces, [&] { ++advanced; });
    PlayField& play = game.play;
    const LevelProgress& progress = game.progress;
    const PlayRecorder& recorder = game.recorder;
    play.move(MoveKind::XPlus);
    dropAndLand(play);
    settle(play);
    EXPECT_EQ(progress.lines(), 2u);
    EXPECT_TRUE(play.isRunning());
    EXPECT_EQ(advanced, 0);

    play.move(MoveKind::XPlus);
    dropAndLand(play);
    settle(play);
    EXPECT_EQ(progress.lines(), 3u);
    EXPECT_FALSE(play.isRunning());
    EXPECT_EQ(advanced, 1);
    EXPECT_EQ(recorder.count(PlayEvent::Stopped), 1);
    // The shell, registered first, brought the next piece in before play stopped;
    // the last listener hears the turn's end only after all of it.
    const std::size_t n = recorder.events.size();
    EXPECT_EQ(recorder.events[n - 3].first, PlayEvent::PieceSpawned);
    EXPECT_EQ(recorder.events[n - 2].first, PlayEvent::Stopped);
    EXPECT_EQ(recorder.events[n - 1].first, PlayEvent::TurnFinished);

    play.start();
    EXPECT_EQ(progress.lines(), 0u) << "a new start resets the count";
}

TEST(LevelGoal, GoalZeroCompletesTheFirstTurnAndANegativeGoalNeverDoes)
{
    const PieceSet pieces = piecesOf({ cube });
    for (int goal : { 0, -56 }) {
        const LevelDef def = level(3, 3, 6, {}, goal);
        ShellGame game(def, pieces);
        dropAndLand(game.play);
        settle(game.play);
        EXPECT_EQ(game.play.isRunning(), goal != 0) << goal;
    }
}
