#include "data/LevelList.h"
#include "data/FatalError.h"
#include "support/FatalMessage.h"
#include "support/ScratchDir.h"

#include <gtest/gtest.h>

#include <string>

using namespace cubrava;

namespace {

const std::string levelsMessage = "There was an error reading the Levels configuration file.\n"
                                  "You may want to reinstall the game before playing again.";

std::string readFailure(const ScratchDir& dir, const std::string& text)
{
    dir.write("Config/Levels.dat", text);
    LevelList levels;
    const std::string message = test::fatalMessageOf([&] { readLevels(levels); });
    if (!message.empty()) {
        EXPECT_TRUE(levels.empty()) << "nothing read is kept";
    }
    return message;
}

} // namespace

TEST(LevelsFile, ReadsLevelsOfAnyElementNameWithTheirBlocks)
{
    ScratchDir dir;
    dir.write("Config/Levels.dat",
        "<levels>\n"
        "    <level name=\"Warm up\" x=\"6\" y=\"6\" z=\"12\" goal=\"5\" drop=\"1000\" extra=\"ignored\">\n"
        "        <notblocks><point x=\"3\" y=\"3\" z=\"3\" color=\"FFFFFF\" /></notblocks>\n"
        "        <blocks>\n"
        "            <point x=\"0\" y=\"0\" z=\"0\" color=\"808080\" />\n"
        "            <point x=\"1\" y=\"0\" color=\"808080\" />\n"
        "            <cube x=\"1\" y=\"0\" z=\"0\" color=\"00ff00\" texture=\"Textures/t.bmp\" />\n"
        "        </blocks>\n"
        "        <blocks><point x=\"5\" y=\"5\" z=\"5\" color=\"FFFFFF\" /></blocks>\n"
        "    </level>\n"
        "    <stage name=\"Two\" x=\"300\" y=\"4\" z=\"4\" goal=\"200\" drop=\"40000\" />\n"
        "</levels>\n");
    LevelList levels;
    readLevels(levels);
    ASSERT_EQ(levels.size(), 2u);

    const LevelDef& warm = levels[0];
    EXPECT_EQ(warm.name, "Warm up");
    EXPECT_EQ(warm.x, 6);
    EXPECT_EQ(warm.y, 6);
    EXPECT_EQ(warm.z, 12);
    EXPECT_EQ(warm.goal, 5);
    EXPECT_EQ(warm.drop, 1000);
    // Only the first "blocks"; the point without z is skipped, the rest kept in order.
    ASSERT_EQ(warm.blocks().size(), 2u);
    EXPECT_EQ(warm.blocks()[1].x, 1);
    EXPECT_FLOAT_EQ(warm.blocks()[1].material->green, 1.0f);
    EXPECT_EQ(warm.blocks()[1].material->textureName, "Textures/t.bmp");

    const LevelDef& two = levels[1];
    EXPECT_EQ(two.x, 44);
    EXPECT_EQ(two.goal, -56) << "goals of 128 and more stay negative, as files in the field expect";
    EXPECT_EQ(two.drop, -25536);
    EXPECT_TRUE(two.blocks().empty());
}

TEST(LevelsFile, UnreadableFilesAndUnbuildablePitsRaiseTheLevelsMessage)
{
    ScratchDir dir;
    EXPECT_EQ(readFailure(dir, "<levels/>"), levelsMessage) << "root without levels";
    EXPECT_EQ(readFailure(dir, "<levels><level"), levelsMessage) << "not well-formed";
    EXPECT_EQ(readFailure(dir, ""), levelsMessage) << "empty file";
    const char* badPits[] = { "x=\"0\" y=\"4\" z=\"4\"", "x=\"4\" y=\"-3\" z=\"4\"", "x=\"4\" y=\"4\" z=\"120\"",
        "x=\"200\" y=\"4\" z=\"4\"", "y=\"4\" z=\"4\"" };
    for (const char* pit : badPits) {
        std::string text = std::string("<levels><level name=\"ok\" x=\"4\" y=\"4\" z=\"4\" goal=\"1\" drop=\"9\"/>"
                                       "<level name=\"bad\" goal=\"1\" drop=\"9\" ")
            + pit + "/></levels>";
        EXPECT_EQ(readFailure(dir, text), levelsMessage) << pit;
    }
    EXPECT_EQ(
        readFailure(dir, "<levels><level name=\"tall\" x=\"1\" y=\"1\" z=\"119\" goal=\"1\" drop=\"9\"/></levels>"),
        "");

    std::filesystem::remove("Config/Levels.dat");
    LevelList levels;
    EXPECT_THROW(readLevels(levels), FatalError);
}

TEST(LevelDef, CopiesAreDeepAndOwnTheirMaterials)
{
    LevelDef level(5, 6, 7);
    EXPECT_EQ(level.name, "");
    EXPECT_TRUE(level.blocks().empty());
    Material red;
    red.red = 1.0f;
    red.textureName = "Textures/a.bmp";
    level.addBlock(1, 2, 3, red);

    LevelDef copy = level;
    ASSERT_EQ(copy.blocks().size(), 1u);
    EXPECT_NE(copy.blocks()[0].material, level.blocks()[0].material);
    EXPECT_EQ(copy.blocks()[0].material->textureName, "Textures/a.bmp");
    copy.blocks()[0].material->green = 0.5f;
    EXPECT_EQ(level.blocks()[0].material->green, 0.0f);

    LevelDef assigned(1, 1, 1);
    assigned = copy;
    EXPECT_EQ(assigned.z, 7);
    EXPECT_FLOAT_EQ(assigned.blocks()[0].material->green, 0.5f);
    copy.clearBlocks();
    EXPECT_TRUE(copy.blocks().empty());
    EXPECT_FLOAT_EQ(assigned.blocks()[0].material->green, 0.5f);
}
