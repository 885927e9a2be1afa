// The brush of the block editor group: colour edits and sliders, the swatch,
// the texture box, picked cubes, and the two block buttons.

#include "DialogFakes.h"
#include "editor/dialog/LevelEditorDialog.h"
#include "editor/dialog/TextureEntries.h"
#include "support/LevelMaking.h"
#include "support/ScratchDir.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace cubrava;
using namespace cubrava::test;

namespace {

class BlockBrush : public ::testing::Test {
protected:
    BlockBrush()
    {
        scratch.write("Textures/wood.bmp", "w");
        scratch.write("Textures/Marble.bmp", "m");
        scratch.write("Textures/sub/stone.bmp", "s");
        LevelDef def(4, 10, 6);
        def.name = "Only";
        levels.push_back(def);
    }

    void SetUp() override { dialog.open(); }

    ScratchDir scratch;
    LevelList levels;
    FakeView view;
    FakeControls controls;
    LevelEditorDialog dialog { levels, view, controls, DialogServices { nullptr, nullptr, "Textures" } };
};

} // namespace

TEST_F(BlockBrush, StartsBlackWithoutTexture)
{
    EXPECT_EQ(controls.textureEntries, (std::vector<std::string> { "(None)", "Marble.bmp", "wood.bmp" }));
    EXPECT_EQ(controls.textureSelection, 0);
    for (ColourChannel c : { ColourChannel::Red, ColourChannel::Green, ColourChannel::Blue }) {
        EXPECT_EQ(controls.colourTexts[c], "0");
        EXPECT_EQ(controls.colourSliders[c], 0);
    }
    EXPECT_EQ(controls.swatch[0] + controls.swatch[1] + controls.swatch[2], 0);
}

TEST_F(BlockBrush, TypedColoursAreHeldTo255AndFollowedBySliderAndSwatch)
{
    controls.colourTexts[ColourChannel::Red] = "300"; // as the user typed it
    dialog.colourTextChanged(ColourChannel::Red, "300");
    EXPECT_EQ(dialog.brush().red, 1.0f);
    EXPECT_EQ(controls.colourTexts[ColourChannel::Red], "255");
    EXPECT_EQ(controls.colourSliders[ColourChannel::Red], 255);
    EXPECT_EQ(controls.swatch[0], 255);

    // While typing, an edit that already holds the number is left alone.
    controls.colourTexts[ColourChannel::Green] = "012";
    dialog.colourTextChanged(ColourChannel::Green, "012");
    EXPECT_EQ(controls.colourTexts[ColourChannel::Green], "012");
    EXPECT_EQ(controls.colourSliders[ColourChannel::Green], 12);

    dialog.colourSliderMoved(ColourChannel::Blue, 128);
    EXPECT_EQ(controls.colourTexts[ColourChannel::Blue], "128");
    EXPECT_EQ(controls.swatch[2], 128);

    // Every byte survives the way through the brush and back.
    for (int value = 0; value < 256; ++value) {
        dialog.colourSliderMoved(ColourChannel::Green, value);
        ASSERT_EQ(controls.colourTexts[ColourChannel::Green], std::to_string(value));
        ASSERT_EQ(controls.colourSliders[ColourChannel::Green], value);
    }
}

TEST_F(BlockBrush, PickedCubesAndTheTextureBoxSetTheBrush)
{
    dialog.textureChosen(2);
    EXPECT_EQ(dialog.brush().textureName, "Textures/wood.bmp");

    dialog.blockPicked(colour(0.0f, 1.0f, 0.0f, "Textures/MARBLE.BMP"));
    EXPECT_EQ(controls.textureSelection, 1) << "letter case is ignored";
    EXPECT_EQ(controls.colourTexts[ColourChannel::Green], "255");
    EXPECT_EQ(dialog.brush().textureName, "Textures/MARBLE.BMP");

    // A texture in a sub-folder has no entry of its own.
    dialog.blockPicked(colour(0.0f, 0.0f, 1.0f, "Textures/sub/stone.bmp"));
    EXPECT_EQ(controls.textureSelection, -1);
    EXPECT_EQ(dialog.brush().textureName, "Textures/sub/stone.bmp");

    // An empty cell leaves the brush as it was.
    dialog.blockPicked(std::nullopt);
    EXPECT_EQ(dialog.brush().blue, 1.0f);
    EXPECT_EQ(dialog.brush().textureName, "Textures/sub/stone.bmp");

    dialog.blockPicked(colour(0.5f, 0.5f, 0.5f, ""));
    EXPECT_EQ(controls.textureSelection, 0);

    dialog.addBlocks();
    ASSERT_EQ(view.added.size(), 1u);
    EXPECT_EQ(view.added[0].red, 0.5f);
    EXPECT_EQ(view.added[0].textureName, "");
    EXPECT_TRUE(dialog.modified());
    EXPECT_TRUE(controls.enabled[DialogButton::Save]);
}

TEST_F(BlockBrush, TheBlockButtonsFollowTheViewsSelection)
{
    EXPECT_FALSE(controls.enabled[DialogButton::AddBlocks]);
    EXPECT_FALSE(controls.enabled[DialogButton::RemoveBlocks]);
    dialog.selectionChanged(false, false);
    EXPECT_TRUE(controls.enabled[DialogButton::AddBlocks]);
    EXPECT_FALSE(controls.enabled[DialogButton::RemoveBlocks]);
    dialog.selectionChanged(false, true);
    EXPECT_TRUE(controls.enabled[DialogButton::AddBlocks]);
    EXPECT_TRUE(controls.enabled[DialogButton::RemoveBlocks]);
    dialog.selectionChanged(true, false);
    EXPECT_FALSE(controls.enabled[DialogButton::AddBlocks]);
    EXPECT_FALSE(controls.enabled[DialogButton::RemoveBlocks]);

    dialog.removeBlocks();
    EXPECT_EQ(view.removals, 1);
    EXPECT_TRUE(dialog.modified());
}

TEST(TextureEntries, ListOrdinaryWritableFilesSortedAfterNone)
{
    ScratchDir scratch;
    for (const char* name : { "b.bmp", "A.bmp", "c", ".hidden.bmp", "locked.bmp", "folder/x.bmp" })
        scratch.write(std::string("Textures/") + name, "x");
    std::filesystem::permissions(
        "Textures/locked.bmp", std::filesystem::perms::owner_write, std::filesystem::perm_options::remove);
    std::filesystem::create_directories("elsewhere");
    std::filesystem::current_path("elsewhere");
    std::vector<std::string> entries = textureBoxEntries("../Textures");
    EXPECT_EQ(entries, (std::vector<std::string> { "(None)", "A.bmp", "b.bmp", "c" }));
    EXPECT_EQ(std::filesystem::current_path().filename(), "elsewhere");
    EXPECT_EQ(textureBoxEntries("../Missing"), (std::vector<std::string> { "(None)" }));
    EXPECT_EQ(textureEntryFor(entries, "Textures\\c"), 3);
    EXPECT_EQ(textureEntryFor(entries, "b.bmp"), 2);
    EXPECT_EQ(textureNameOf(entries, 1), "Textures/A.bmp");
    EXPECT_EQ(textureNameOf(entries, 0), "");
}
