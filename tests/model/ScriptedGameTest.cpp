#include "PlaySupport.h"

#include "data/ProcessWide.h"

#include <gtest/gtest.h>

using namespace cubrava;
using namespace cubrava::test;

// Whole games played headless with move and advance only, as the shell would.

TEST(ScriptedGame, StraightThreesLaidCrosswiseReachTheGoal)
{
    const PieceSet straightThrees = piecesOf({ lineX3 });
    const LevelDef def = level(3, 3, 6, {}, 3);
    ShellGame game(def, straightThrees);
    PlayField& play = game.play;
    int pieces = 0;
    while (play.isRunning() && pieces < 20) {
        const int row = pieces % 3;
        const bool crosswise = (pieces / 3) % 2 == 1;
        // Spawned at (0, 1). Along x, slide to the row; across, turn at y = 0 then slide along x.
        play.move(MoveKind::YMinus);
        if (crosswise) {
            play.move(MoveKind::RotateZ);
            for (int i = 0; i < row; ++i)
                play.move(MoveKind::XPlus);
        } else {
            for (int i = 0; i < row; ++i)
                play.move(MoveKind::YPlus);
        }
        dropAndLand(play);
        ++pieces;
        settle(play);
    }
    EXPECT_EQ(game.recorder.count(PlayEvent::Stopped), 1);
    EXPECT_EQ(game.recorder.count(PlayEvent::GameOver), 0);
    EXPECT_EQ(pieces, 9);
    EXPECT_EQ(game.progress.lines(), 3u);
    EXPECT_EQ(game.recorder.count(PlayEvent::PieceRotated), 3);
    EXPECT_EQ(game.recorder.count(PlayEvent::LayerCleared), 3);
    EXPECT_EQ(play.pit().stackHeight(), 0);
}

TEST(ScriptedGame, PilingUpInOneRowEndsWithCubesAboveTheRim)
{
    const PieceSet pieces = piecesOf({ lineX3 });
    const LevelDef def = level(3, 3, 4, {}, 5);
    ShellGame game(def, pieces);
    PlayField& play = game.play;
    int landings = 0;
    while (play.isRunning() && landings < 20) {
        dropAndLand(play);
        ++landings;
        settle(play);
    }
    EXPECT_EQ(landings, 5) << "four rows fit in a pit four high; the fifth sticks out";
    EXPECT_EQ(game.recorder.count(PlayEvent::GameOver), 1);
    EXPECT_EQ(game.recorder.count(PlayEvent::LayerCleared), 0);
    EXPECT_EQ(play.pit().stackHeight(), 5);
}

TEST(ScriptedGame, RandomPiecesFollowTheSeededGenerator)
{
    const PieceSet pieces = piecesOf({ cube, lineX3, lineY3, column(2) });
    const LevelDef def = level(8, 8, 12);
    std::vector<int> sizesA, sizesB;
    for (auto* sizes : { &sizesA, &sizesB }) {
        cubrava::srand(1234);
        ShellGame game(def, pieces);
        PlayField& play = game.play;
        for (int i = 0; i < 12 && play.isRunning(); ++i) {
            sizes->push_back(play.activePiece()->ex * 100 + play.activePiece()->ey * 10 + play.activePiece()->ez);
            dropAndLand(play);
            settle(play);
        }
    }
    EXPECT_EQ(sizesA, sizesB);
    // The generator's values modulo 4 decide the shapes: the first is the preview
    // chosen at construction.
    cubrava::srand(1234);
    const int extents[] = { 111, 311, 131, 112 };
    for (std::size_t i = 0; i < sizesA.size(); ++i)
        EXPECT_EQ(sizesA[i], extents[cubrava::rand() % 4]) << i;
}
