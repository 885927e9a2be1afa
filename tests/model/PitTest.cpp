#include "PlaySupport.h"

#include <gtest/gtest.h>

using namespace cubrava;
using namespace cubrava::test;

namespace {

struct CountingObserver : CellObserver {
    int calls = 0;
    void cellsChanged() override { ++calls; }
};

} // namespace

TEST(Pit, GridBoundsIncludeTheHeadroomAndTheFloorBlocks)
{
    ProcessStateGuard clean;
    ScratchDir dir;
    writePieces(dir, {cube});
    PlayField play(level(4, 4, 4), false);
    EXPECT_EQ(play.gridHeight(), 12);
    EXPECT_EQ(play.pitHeight(), 4);
    EXPECT_EQ(play.isOccupied(pos(0, 0, 11)), 0);
    EXPECT_EQ(play.isOccupied(pos(0, 0, 12)), 2);
    EXPECT_EQ(play.isOccupied(pos(0, 0, -1)), 2);
    EXPECT_EQ(play.isOccupied(pos(4, 0, 0)), 2);
    EXPECT_EQ(play.isOccupied(pos(0, -1, 0)), 2);
    EXPECT_EQ(play.cellAt(pos(3, 3, 11))->material, nullptr);
    EXPECT_EQ(play.cellAt(pos(3, 4, 0)), nullptr);
}

TEST(Pit, StartingLayoutSkipsDuplicatesAndOutsidersAndMayReachTheHeadroom)
{
    ProcessStateGuard clean;
    ScratchDir dir;
    writePieces(dir, {cube});
    LevelDef def = level(3, 3, 4, {{0, 0, 0}, {0, 0, 0}, {5, 0, 0}, {1, 1, 6}});
    PlayField play(def, false);
    // The first of two cubes on one cell stays, and refers to the level's own material.
    EXPECT_EQ(play.cellAt(pos(0, 0, 0))->material, def.blocks()[0].material);
    EXPECT_EQ(play.layerCount(0), 1);
    EXPECT_EQ(play.isOccupied(pos(1, 1, 6)), 1);
    EXPECT_EQ(play.stackHeight(), 7);
    EXPECT_GT(play.stackHeight(), play.pitHeight());
}

TEST(Pit, CellEditsKeepCountsAndStackHeightAndTellObservers)
{
    ProcessStateGuard clean;
    ScratchDir dir;
    writePieces(dir, {cube});
    PlayField play(level(3, 3, 5, {{0, 0, 0}, {2, 2, 3}}), false);
    CountingObserver observer;
    play.addCellObserver(observer);
    play.addCellObserver(observer);

    Material m;
    EXPECT_FALSE(play.putCell(pos(0, 0, 0), m, 0)) << "occupied";
    EXPECT_FALSE(play.putCell(pos(3, 0, 0), m, 0)) << "outside";
    EXPECT_FALSE(play.clearCell(pos(1, 1, 1))) << "empty";
    EXPECT_FALSE(play.clearCell(pos(-1, 0, 0))) << "outside";
    EXPECT_EQ(observer.calls, 0);

    EXPECT_TRUE(play.putCell(pos(1, 0, 1), m, 5));
    EXPECT_EQ(play.cellAt(pos(1, 0, 1))->orientation, 5);
    EXPECT_EQ(observer.calls, 1) << "registered once, told once";
    EXPECT_EQ(play.stackHeight(), 4);

    // Emptying the only cell of the top layer lowers the stack to the next filled layer.
    EXPECT_TRUE(play.clearCell(pos(2, 2, 3)));
    EXPECT_EQ(play.stackHeight(), 2);
    EXPECT_TRUE(play.clearCell(pos(1, 0, 1)));
    EXPECT_EQ(play.stackHeight(), 1);
    EXPECT_TRUE(play.clearCell(pos(0, 0, 0)));
    EXPECT_EQ(play.stackHeight(), 0);
    EXPECT_EQ(play.layerCount(0), 0);
    EXPECT_EQ(observer.calls, 4);
}

TEST(Pit, AnOwningFieldKeepsCopiesApartFromTheLevel)
{
    ProcessStateGuard clean;
    ScratchDir dir;
    writePieces(dir, {cube});
    LevelDef def = level(3, 3, 4, {{1, 1, 0}});
    auto play = std::make_unique<PlayField>(def, true);
    Material* copy = play->cellAt(pos(1, 1, 0))->material;
    ASSERT_NE(copy, nullptr);
    EXPECT_NE(copy, def.blocks()[0].material);
    copy->red = 1.0f;
    EXPECT_FLOAT_EQ(def.blocks()[0].material->red, 0.5f);

    Material brush;
    brush.green = 1.0f;
    ASSERT_TRUE(play->putCell(pos(0, 0, 0), brush, 0));
    brush.green = 0.0f;
    EXPECT_FLOAT_EQ(play->cellAt(pos(0, 0, 0))->material->green, 1.0f) << "the cell holds its own copy";
    EXPECT_TRUE(play->clearCell(pos(0, 0, 0)));
    play.reset(); // destroys the remaining copy; the sanitizer build would catch a leak or double free
}
