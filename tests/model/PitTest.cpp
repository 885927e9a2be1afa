#include "PlaySupport.h"

#include "model/Pit.h"

#include <gtest/gtest.h>

using namespace cubrava;
using namespace cubrava::test;

TEST(Pit, GridBoundsIncludeTheHeadroomAndTheFloorBlocks)
{
    const LevelDef def = level(4, 4, 4);
    Pit pit(def, CellMaterials::Referenced);
    EXPECT_EQ(pit.gridHeight(), 12);
    EXPECT_EQ(pit.pitHeight(), 4);
    EXPECT_EQ(pit.occupancy(pos(0, 0, 11)), Occupancy::Empty);
    EXPECT_EQ(pit.occupancy(pos(0, 0, 12)), Occupancy::Outside);
    EXPECT_EQ(pit.occupancy(pos(0, 0, -1)), Occupancy::Outside);
    EXPECT_EQ(pit.occupancy(pos(4, 0, 0)), Occupancy::Outside);
    EXPECT_EQ(pit.occupancy(pos(0, -1, 0)), Occupancy::Outside);
    EXPECT_EQ(pit.cellAt(pos(3, 3, 11))->material, nullptr);
    EXPECT_EQ(pit.cellAt(pos(3, 4, 0)), nullptr);
}

TEST(Pit, StartingLayoutSkipsDuplicatesAndOutsidersAndMayReachTheHeadroom)
{
    LevelDef def = level(3, 3, 4, { { 0, 0, 0 }, { 0, 0, 0 }, { 5, 0, 0 }, { 1, 1, 6 } });
    Pit pit(def, CellMaterials::Referenced);
    // The first of two cubes on one cell stays, and refers to the level's own material.
    EXPECT_EQ(pit.cellAt(pos(0, 0, 0))->material, def.blocks()[0].material);
    EXPECT_EQ(pit.layerCount(0), 1);
    EXPECT_EQ(pit.occupancy(pos(1, 1, 6)), Occupancy::Filled);
    EXPECT_EQ(pit.stackHeight(), 7);
    EXPECT_GT(pit.stackHeight(), pit.pitHeight());
}

TEST(Pit, CellEditsKeepCountsAndStackHeightAndTellObservers)
{
    const LevelDef def = level(3, 3, 5, { { 0, 0, 0 }, { 2, 2, 3 } });
    Pit pit(def, CellMaterials::Referenced);
    PlayRecorder observer;
    pit.addCellObserver(observer);
    pit.addCellObserver(observer);

    Material m;
    EXPECT_FALSE(pit.putCell(pos(0, 0, 0), m, 0)) << "occupied";
    EXPECT_FALSE(pit.putCell(pos(3, 0, 0), m, 0)) << "outside";
    EXPECT_FALSE(pit.clearCell(pos(1, 1, 1))) << "empty";
    EXPECT_FALSE(pit.clearCell(pos(-1, 0, 0))) << "outside";
    EXPECT_EQ(observer.cellChanges, 0);

    EXPECT_TRUE(pit.putCell(pos(1, 0, 1), m, 5));
    EXPECT_EQ(pit.cellAt(pos(1, 0, 1))->orientation, 5);
    EXPECT_EQ(observer.cellChanges, 1) << "registered once, told once";
    EXPECT_EQ(pit.stackHeight(), 4);

    // Emptying the only cell of the top layer lowers the stack to the next filled layer.
    EXPECT_TRUE(pit.clearCell(pos(2, 2, 3)));
    EXPECT_EQ(pit.stackHeight(), 2);
    EXPECT_TRUE(pit.clearCell(pos(1, 0, 1)));
    EXPECT_EQ(pit.stackHeight(), 1);
    EXPECT_TRUE(pit.clearCell(pos(0, 0, 0)));
    EXPECT_EQ(pit.stackHeight(), 0);
    EXPECT_EQ(pit.layerCount(0), 0);
    EXPECT_EQ(observer.cellChanges, 4);
}

TEST(Pit, CopiedMaterialsStayApartFromTheLevelAndTheBrushAndMoveWithTheirLayer)
{
    LevelDef def = level(3, 3, 4, { { 1, 1, 0 } });
    auto pit = std::make_unique<Pit>(def, CellMaterials::Copied);
    Material* copy = pit->cellAt(pos(1, 1, 0))->material;
    ASSERT_NE(copy, nullptr);
    EXPECT_NE(copy, def.blocks()[0].material);
    copy->red = 1.0f;
    EXPECT_FLOAT_EQ(def.blocks()[0].material->red, 0.5f);

    Material brush;
    brush.green = 1.0f;
    ASSERT_TRUE(pit->putCell(pos(0, 0, 1), brush, 0));
    brush.green = 0.0f;
    EXPECT_FLOAT_EQ(pit->cellAt(pos(0, 0, 1))->material->green, 1.0f) << "the cell holds its own copy";

    // The copy goes down with its layer; refilling the cell it left must not take it away.
    pit->clearLayer(0);
    pit->moveLayer(1, 0);
    ASSERT_TRUE(pit->putCell(pos(0, 0, 1), brush, 0));
    EXPECT_FLOAT_EQ(pit->cellAt(pos(0, 0, 0))->material->green, 1.0f);
    EXPECT_EQ(pit->layerCount(0), 1);
    pit.reset(); // destroys the remaining copies; the sanitizer build would catch a leak or double free
}
