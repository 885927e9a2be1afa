// Closing the dialog: "Done" writes the list (asking first about a modified
// level), "Cancel" writes nothing, and a failed write keeps the dialog open.

#include "DialogFakes.h"
#include "editor/dialog/LevelEditorDialog.h"

#include <gtest/gtest.h>

using namespace cubrava;
using namespace cubrava::test;

namespace {

class Closing : public ::testing::Test {
protected:
    Closing()
    {
        for (const char* name : { "One", "Two" }) {
            LevelDef def(6, 6, 8);
            def.name = name;
            levels.push_back(def);
        }
    }

    void SetUp() override { dialog.open(); }

    LevelList levels;
    FakeView view;
    FakeControls controls;
    std::vector<LevelList> saved;
    bool saveWorks = true;
    bool gameRunning = false;
    LevelEditorDialog dialog { levels, view, controls, savingInto(saved, &saveWorks, &gameRunning) };
};

} // namespace

TEST_F(Closing, DoneWithoutChangesWritesWithoutAQuestion)
{
    dialog.done();
    EXPECT_TRUE(controls.questions.empty());
    ASSERT_EQ(saved.size(), 1u);
    EXPECT_EQ(saved[0].size(), 2u);
    EXPECT_TRUE(controls.messages.empty()) << "no restart notice without the game";
    EXPECT_EQ(controls.closed, 1);
    EXPECT_EQ(dialog.outcome(), DialogOutcome::Done);
}

TEST_F(Closing, DoneAsksAboutAModifiedLevel)
{
    dialog.nameChanged("One, renamed");
    controls.answers.push_back(MessageAnswer::Cancel);
    dialog.done();
    EXPECT_EQ(controls.questions, (std::vector<std::string> { "Yo!: Save changes to current level?" }));
    EXPECT_TRUE(saved.empty());
    EXPECT_EQ(controls.closed, 0);
    EXPECT_EQ(dialog.outcome(), DialogOutcome::Open);
    EXPECT_TRUE(dialog.modified());

    controls.answers.push_back(MessageAnswer::No);
    dialog.done();
    ASSERT_EQ(saved.size(), 1u);
    EXPECT_EQ(saved[0][0].name, "One") << "No drops the edit";
    EXPECT_EQ(dialog.outcome(), DialogOutcome::Done);
}

TEST_F(Closing, DoneAnsweredYesWritesTheEditAndTellsToRestartTheGame)
{
    gameRunning = true;
    dialog.nameChanged("One, renamed");
    controls.answers.push_back(MessageAnswer::Yes);
    dialog.done();
    ASSERT_EQ(saved.size(), 1u);
    EXPECT_EQ(saved[0][0].name, "One, renamed");
    ASSERT_EQ(controls.messages.size(), 1u);
    EXPECT_EQ(controls.messages[0].caption, "CubravaEditor");
    EXPECT_EQ(controls.messages[0].text, "You must restart Cubrava for changes to take effect.");
    EXPECT_EQ(controls.messages[0].icon, MessageIcon::Information);
    EXPECT_EQ(controls.closed, 1);
}

TEST_F(Closing, CancelWritesNothing)
{
    dialog.nameChanged("changed");
    dialog.commitLevel();
    dialog.goalChanged("9");
    dialog.cancel();
    EXPECT_TRUE(saved.empty());
    EXPECT_TRUE(controls.questions.empty());
    EXPECT_EQ(controls.closed, 1);
    EXPECT_EQ(dialog.outcome(), DialogOutcome::Cancelled);
}

TEST_F(Closing, AFailedWriteKeepsTheDialogOpenWithTheWork)
{
    gameRunning = true;
    saveWorks = false;
    dialog.nameChanged("Kept");
    dialog.commitLevel();
    dialog.goalChanged("12");
    controls.answers.push_back(MessageAnswer::No);
    dialog.done();
    ASSERT_EQ(saved.size(), 1u);
    ASSERT_EQ(controls.messages.size(), 1u) << "no restart notice after a failure";
    EXPECT_EQ(controls.messages[0].caption, "Uh oh ...");
    EXPECT_EQ(controls.messages[0].text,
        "There was an error saving the Levels configuration file.\n"
        "You may want to reinstall the game before playing again.");
    EXPECT_EQ(controls.messages[0].icon, MessageIcon::Error);
    EXPECT_EQ(controls.closed, 0);
    EXPECT_EQ(dialog.outcome(), DialogOutcome::Open);
    EXPECT_EQ(levels[0].name, "Kept");
    EXPECT_EQ(controls.lines, (std::vector<std::string> { "Kept", "Two" }));
    EXPECT_TRUE(dialog.modified()) << "the uncommitted goal is still there";
    EXPECT_EQ(dialog.workingLevel().goal, 12);

    // Once the cause is fixed, "Done" again.
    saveWorks = true;
    controls.answers.push_back(MessageAnswer::Yes);
    dialog.done();
    ASSERT_EQ(saved.size(), 2u);
    EXPECT_EQ(saved[1][0].goal, 12);
    EXPECT_EQ(dialog.outcome(), DialogOutcome::Done);
}
