// The dialog's level list and the current level's fields: creating, removing,
// moving, renaming, switching with the save prompt, goal and drop edits.

#include "DialogFakes.h"
#include "editor/dialog/LevelEditorDialog.h"
#include "support/LevelMaking.h"

#include <gtest/gtest.h>

using namespace cubrava;
using namespace cubrava::test;

namespace {

std::vector<std::string> names(const LevelList& levels)
{
    std::vector<std::string> result;
    for (const LevelDef& def : levels)
        result.push_back(def.name);
    return result;
}

class LevelListEditing : public ::testing::Test {
protected:
    LevelList levels { level("Alpha", 6, 6, 12, 5, 1000), level("Beta", 8, 8, 10, 3, 400),
        level("Gamma", 4, 10, 8, -56, 2500) };
    FakeView view;
    FakeControls controls;
    std::vector<LevelList> saved;
    LevelEditorDialog dialog { levels, view, controls, savingInto(saved) };

    void SetUp() override { dialog.open(); }

    std::vector<std::string> expectedLines() const { return names(levels); }
};

} // namespace

TEST_F(LevelListEditing, OpeningShowsEveryNameAndTheFirstLevel)
{
    EXPECT_EQ(controls.lines, (std::vector<std::string> { "Alpha", "Beta", "Gamma" }));
    EXPECT_EQ(controls.selectedLine, 0);
    EXPECT_EQ(controls.name, "Alpha");
    EXPECT_EQ(controls.goal, "5");
    EXPECT_EQ(controls.x + "x" + controls.y + "x" + controls.height, "6x6x12");
    EXPECT_EQ(controls.dropLabel, "1000");
    EXPECT_EQ(controls.dropSlider, 1010);
    EXPECT_FALSE(controls.enabled[DialogButton::MoveUp]);
    EXPECT_TRUE(controls.enabled[DialogButton::MoveDown]);
    EXPECT_FALSE(controls.enabled[DialogButton::Save]);
    ASSERT_EQ(view.shown.size(), 1u);
    EXPECT_EQ(view.shown[0].name, "Alpha");
    EXPECT_EQ(controls.textureEntries, (std::vector<std::string> { "(None)" }));
}

TEST_F(LevelListEditing, ANewLevelGoesInAtTheCurrentPlaceAndBecomesCurrent)
{
    // At position 0, with an edit of the first level pending: it is dropped.
    dialog.nameChanged("Alpha renamed");
    controls.newLevels.push_back(level("Fresh", 5, 5, 5, 1, 1000));
    dialog.createLevel();
    EXPECT_EQ(names(levels), (std::vector<std::string> { "Fresh", "Alpha", "Beta", "Gamma" }));
    EXPECT_EQ(controls.lines, expectedLines());
    EXPECT_EQ(dialog.currentIndex(), 0);
    EXPECT_EQ(controls.selectedLine, 0);
    EXPECT_EQ(controls.name, "Fresh");
    EXPECT_EQ(controls.dropSlider, 1010);
    EXPECT_FALSE(dialog.modified());
    EXPECT_TRUE(controls.questions.empty());
    EXPECT_EQ(view.shown.back().name, "Fresh");

    // In the middle: the current level and those after it move down.
    dialog.levelLineChosen(2);
    controls.newLevels.push_back(level("Middle", 4, 4, 4, 1, 1000));
    dialog.createLevel();
    EXPECT_EQ(names(levels), (std::vector<std::string> { "Fresh", "Alpha", "Middle", "Beta", "Gamma" }));
    EXPECT_EQ(controls.lines, expectedLines());
    EXPECT_EQ(dialog.currentIndex(), 2);
    EXPECT_EQ(controls.selectedLine, 2);
    EXPECT_TRUE(controls.enabled[DialogButton::MoveUp]);
    EXPECT_TRUE(controls.enabled[DialogButton::MoveDown]);

    // "Cancel" in "Create New Level" changes nothing.
    dialog.createLevel();
    EXPECT_EQ(levels.size(), 5u);
    EXPECT_EQ(controls.lines, expectedLines());
}

TEST_F(LevelListEditing, RemovingTheLastEntryAndTheOnlyOne)
{
    dialog.levelLineChosen(2);
    dialog.removeLevel();
    EXPECT_EQ(names(levels), (std::vector<std::string> { "Alpha", "Beta" }));
    EXPECT_EQ(controls.lines, expectedLines());
    EXPECT_EQ(dialog.currentIndex(), 1);
    EXPECT_EQ(controls.selectedLine, 1);
    EXPECT_EQ(controls.name, "Beta");
    EXPECT_FALSE(controls.enabled[DialogButton::MoveDown]);

    dialog.removeLevel();
    ASSERT_EQ(names(levels), (std::vector<std::string> { "Alpha" }));
    EXPECT_EQ(controls.name, "Alpha");
    EXPECT_FALSE(controls.enabled[DialogButton::MoveUp]);
    EXPECT_FALSE(controls.enabled[DialogButton::MoveDown]);

    dialog.nameChanged("Alpha edited");
    std::size_t setLevels = view.shown.size();
    dialog.removeLevel();
    ASSERT_EQ(controls.messages.size(), 1u);
    EXPECT_EQ(controls.messages[0].caption, "Sorry");
    EXPECT_EQ(controls.messages[0].text, "You must have at least one level.");
    EXPECT_EQ(controls.messages[0].icon, MessageIcon::Error);
    EXPECT_EQ(names(levels), (std::vector<std::string> { "Alpha" }));
    EXPECT_EQ(controls.lines, expectedLines());
    EXPECT_TRUE(dialog.modified()) << "a refusal changes nothing";
    EXPECT_EQ(dialog.workingLevel().name, "Alpha edited");
    EXPECT_EQ(view.shown.size(), setLevels);
}

TEST_F(LevelListEditing, MovingKeepsUncommittedEditsAndShowsCommittedNames)
{
    dialog.nameChanged("Alpha (draft)");
    dialog.goalChanged("9");
    std::size_t setLevels = view.shown.size();

    dialog.moveLevelDown();
    EXPECT_EQ(names(levels), (std::vector<std::string> { "Beta", "Alpha", "Gamma" }));
    EXPECT_EQ(controls.lines, (std::vector<std::string> { "Beta", "Alpha", "Gamma" }));
    EXPECT_EQ(controls.selectedLine, 1);
    EXPECT_EQ(dialog.currentIndex(), 1);
    EXPECT_TRUE(controls.enabled[DialogButton::MoveUp]);
    EXPECT_TRUE(controls.enabled[DialogButton::MoveDown]);

    dialog.moveLevelDown();
    EXPECT_EQ(controls.lines, (std::vector<std::string> { "Beta", "Gamma", "Alpha" }));
    EXPECT_FALSE(controls.enabled[DialogButton::MoveDown]);
    dialog.moveLevelUp();
    dialog.moveLevelUp();
    dialog.moveLevelUp(); // already first: nothing
    EXPECT_EQ(controls.lines, (std::vector<std::string> { "Alpha", "Beta", "Gamma" }));
    EXPECT_FALSE(controls.enabled[DialogButton::MoveUp]);

    EXPECT_TRUE(dialog.modified());
    EXPECT_TRUE(controls.enabled[DialogButton::Save]);
    EXPECT_EQ(dialog.workingLevel().name, "Alpha (draft)");
    EXPECT_EQ(dialog.workingLevel().goal, 9);
    EXPECT_EQ(view.shown.size(), setLevels) << "the view keeps its level";

    // The edits land at the level's new place when committed.
    dialog.moveLevelDown();
    dialog.commitLevel();
    EXPECT_EQ(names(levels), (std::vector<std::string> { "Beta", "Alpha (draft)", "Gamma" }));
    EXPECT_EQ(controls.lines, expectedLines());
    EXPECT_EQ(levels[1].goal, 9);
}

TEST_F(LevelListEditing, RenamingShowsInTheListOnlyAfterSave)
{
    dialog.nameChanged("Warm-up");
    EXPECT_EQ(controls.lines[0], "Alpha");
    EXPECT_EQ(levels[0].name, "Alpha");
    EXPECT_TRUE(controls.enabled[DialogButton::Save]);

    // The view's cubes reach the list with the commit.
    Material red;
    red.red = 1.0f;
    view.cubes.addBlock(2, 3, 0, red);
    dialog.commitLevel();
    EXPECT_EQ(controls.lines[0], "Warm-up");
    EXPECT_EQ(controls.selectedLine, 0);
    EXPECT_EQ(levels[0].name, "Warm-up");
    ASSERT_EQ(levels[0].blocks().size(), 1u);
    EXPECT_EQ(levels[0].blocks()[0].x, 2);
    EXPECT_EQ(levels[0].blocks()[0].material->red, 1.0f);
    EXPECT_NE(levels[0].blocks()[0].material, dialog.workingLevel().blocks()[0].material)
        << "the list and the level under edit own separate copies";
    EXPECT_FALSE(dialog.modified());
    EXPECT_FALSE(controls.enabled[DialogButton::Save]);

    // An empty name is a name like any other.
    dialog.nameChanged("");
    dialog.commitLevel();
    EXPECT_EQ(controls.lines[0], "");
}

TEST_F(LevelListEditing, TheSwitchPromptSavesDropsOrStays)
{
    dialog.goalChanged("7");
    controls.answers.push_back(MessageAnswer::Cancel);
    dialog.levelLineChosen(2);
    EXPECT_EQ(controls.questions, (std::vector<std::string> { "Yo!: Save changes to current level?" }));
    EXPECT_EQ(controls.selectedLine, 0) << "the list's selection goes back to the current level";
    EXPECT_EQ(dialog.currentIndex(), 0);
    EXPECT_TRUE(dialog.modified());
    EXPECT_EQ(dialog.workingLevel().goal, 7);

    controls.answers.push_back(MessageAnswer::No);
    dialog.levelLineChosen(1);
    EXPECT_EQ(levels[0].goal, 5);
    EXPECT_EQ(dialog.currentIndex(), 1);
    EXPECT_EQ(controls.name, "Beta");
    EXPECT_FALSE(dialog.modified());

    dialog.goalChanged("8");
    controls.answers.push_back(MessageAnswer::Yes);
    dialog.levelLineChosen(0);
    EXPECT_EQ(levels[1].goal, 8);
    EXPECT_EQ(dialog.currentIndex(), 0);

    // The current line again, or no line: no question, no change.
    dialog.goalChanged("9");
    dialog.levelLineChosen(0);
    dialog.levelLineChosen(-1);
    EXPECT_EQ(controls.questions.size(), 3u);
    EXPECT_TRUE(dialog.modified());
}

TEST_F(LevelListEditing, TheDropSliderRunsFrom2000To10Milliseconds)
{
    dialog.dropSliderMoved(10);
    EXPECT_EQ(dialog.workingLevel().drop, 2000);
    EXPECT_EQ(controls.dropLabel, "2000");
    EXPECT_TRUE(dialog.modified());
    dialog.dropSliderMoved(2000);
    EXPECT_EQ(dialog.workingLevel().drop, 10);
    EXPECT_EQ(controls.dropLabel, "10");
    EXPECT_EQ(controls.dropSlider, 2000);

    // A value from the file outside the range stands at the nearer end and
    // keeps its value until the slider moves.
    controls.answers.push_back(MessageAnswer::No);
    dialog.levelLineChosen(2);
    EXPECT_EQ(controls.dropLabel, "2500");
    EXPECT_EQ(controls.dropSlider, 10);
    dialog.dropSliderMoved(10);
    EXPECT_EQ(dialog.workingLevel().drop, 2000);
    EXPECT_TRUE(dialog.modified());
}

TEST_F(LevelListEditing, GoalsAreTypedUpTo127AndReadFromFilesAsTheyAre)
{
    dialog.goalChanged("12");
    EXPECT_EQ(dialog.workingLevel().goal, 12);
    EXPECT_EQ(controls.goal, "5") << "a typed goal is not rewritten";
    dialog.goalChanged("200");
    EXPECT_EQ(dialog.workingLevel().goal, 127);
    EXPECT_EQ(controls.goal, "127");
    dialog.goalChanged("");
    EXPECT_EQ(dialog.workingLevel().goal, 0);

    controls.answers.push_back(MessageAnswer::No);
    dialog.levelLineChosen(2);
    EXPECT_EQ(controls.goal, "-56");
    EXPECT_EQ(dialog.workingLevel().goal, -56);
}
