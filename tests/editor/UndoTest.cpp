// Undo and redo in the main dialog: every kind of step taken back and made
// again, "Done" writing what is shown then, another level's step, a step
// after an undo, the hundred steps kept, and keys pressed while a question
// waits.

#include "DialogFakes.h"
#include "editor/dialog/LevelEditorDialog.h"
#include "support/LevelMaking.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <tuple>

using namespace cubrava;
using namespace cubrava::test;

namespace {

Material red()
{
    Material m;
    m.red = 1.0f;
    return m;
}

std::vector<std::string> names(const LevelList& levels)
{
    std::vector<std::string> result;
    for (const LevelDef& def : levels)
        result.push_back(def.name);
    return result;
}

// The cells a level's cubes stand in, in x, then y, then z order.
std::vector<std::tuple<int, int, int>> cells(const LevelDef& level)
{
    std::vector<std::tuple<int, int, int>> result;
    for (const Block& b : level.blocks())
        result.emplace_back(b.x, b.y, b.z);
    std::sort(result.begin(), result.end());
    return result;
}

class Undo : public ::testing::Test {
protected:
    Undo()
    {
        levels.push_back(level("Alpha", 6, 6, 12, 5, 1000));
        levels[0].addBlock(2, 2, 0, red());
        levels.push_back(level("Beta", 8, 8, 10, 3, 400));
        levels.push_back(level("Gamma", 4, 10, 8, 2, 900));
    }

    void SetUp() override
    {
        dialog.open();
        view.selected = { { 1, 1 } };
    }

    // The dialog's list, its lines and the current level agree with what is expected.
    void expectShown(const std::vector<std::string>& expectedNames, int current, bool modified)
    {
        EXPECT_EQ(names(levels), expectedNames);
        EXPECT_EQ(controls.lines, expectedNames);
        EXPECT_EQ(dialog.currentIndex(), current);
        EXPECT_EQ(controls.selectedLine, current);
        EXPECT_EQ(dialog.modified(), modified);
        EXPECT_EQ(controls.enabled[DialogButton::Save], modified);
    }

    LevelList levels;
    FakeView view;
    FakeControls controls;
    std::vector<LevelList> saved;
    LevelEditorDialog dialog { levels, view, controls, savingInto(saved) };
};

} // namespace

TEST_F(Undo, EveryKindOfStepIsUndoneAndRedoneAndDoneWritesWhatIsShown)
{
    const std::vector<std::string> start { "Alpha", "Beta", "Gamma" };
    using Cells = std::vector<std::tuple<int, int, int>>;

    // "Add Block(s)": the view's cubes go back, the camera and layer with them
    // untouched (the same level is shown again, not set anew).
    dialog.addBlocks();
    ASSERT_EQ(cells(view.cubes), (Cells { { 1, 1, 0 }, { 2, 2, 0 } }));
    const std::size_t setLevels = view.shown.size();
    dialog.undo();
    EXPECT_EQ(cells(view.cubes), (Cells { { 2, 2, 0 } }));
    EXPECT_EQ(view.shown.size(), setLevels);
    EXPECT_EQ(view.replacements, 1);
    expectShown(start, 0, false);
    dialog.redo();
    EXPECT_EQ(cells(view.cubes), (Cells { { 1, 1, 0 }, { 2, 2, 0 } }));
    expectShown(start, 0, true);

    // "Save" of a renamed level with its new cube: undone, the list holds the
    // old entry and the edits are pending again.
    dialog.nameChanged("Alpha Two");
    dialog.commitLevel();
    expectShown({ "Alpha Two", "Beta", "Gamma" }, 0, false);
    dialog.undo();
    expectShown(start, 0, true);
    EXPECT_EQ(controls.name, "Alpha Two");
    EXPECT_EQ(cells(levels[0]), (Cells { { 2, 2, 0 } }));
    EXPECT_EQ(cells(view.cubes).size(), 2u);
    dialog.redo();
    expectShown({ "Alpha Two", "Beta", "Gamma" }, 0, false);
    EXPECT_EQ(cells(levels[0]), (Cells { { 1, 1, 0 }, { 2, 2, 0 } }));

    // "Move Level Down", then "Remove Block(s)" on the level moved.
    dialog.moveLevelDown();
    dialog.removeBlocks();
    expectShown({ "Beta", "Alpha Two", "Gamma" }, 1, true);
    dialog.undo();
    EXPECT_EQ(cells(view.cubes), (Cells { { 1, 1, 0 }, { 2, 2, 0 } }));
    expectShown({ "Beta", "Alpha Two", "Gamma" }, 1, false);
    dialog.undo();
    expectShown({ "Alpha Two", "Beta", "Gamma" }, 0, false);
    EXPECT_FALSE(controls.enabled[DialogButton::MoveUp]);
    EXPECT_TRUE(controls.enabled[DialogButton::MoveDown]);

    // "New", at the current place.
    controls.newLevels.push_back(level("Fresh", 5, 5, 5, 1, 1000));
    dialog.createLevel();
    expectShown({ "Fresh", "Alpha Two", "Beta", "Gamma" }, 0, false);
    dialog.undo();
    expectShown({ "Alpha Two", "Beta", "Gamma" }, 0, false);
    EXPECT_EQ(view.shown.back().name, "Alpha Two") << "another level: shown anew";
    dialog.redo();
    expectShown({ "Fresh", "Alpha Two", "Beta", "Gamma" }, 0, false);

    // "Remove" of a level with cubes: it comes back at its place with them.
    dialog.levelLineChosen(1);
    dialog.removeLevel();
    expectShown({ "Fresh", "Beta", "Gamma" }, 1, false);
    dialog.undo();
    expectShown({ "Fresh", "Alpha Two", "Beta", "Gamma" }, 1, false);
    EXPECT_EQ(cells(levels[1]), (Cells { { 1, 1, 0 }, { 2, 2, 0 } }));
    EXPECT_EQ(cells(view.cubes), (Cells { { 1, 1, 0 }, { 2, 2, 0 } }));

    // "Done" writes what is shown now, and nothing of the steps undone.
    dialog.done();
    ASSERT_EQ(saved.size(), 1u);
    EXPECT_EQ(names(saved[0]), (std::vector<std::string> { "Fresh", "Alpha Two", "Beta", "Gamma" }));
    EXPECT_EQ(cells(saved[0][1]), (Cells { { 1, 1, 0 }, { 2, 2, 0 } }));
    EXPECT_TRUE(controls.questions.empty());
}

TEST_F(Undo, AStepOfAnotherLevelBringsItBackAndANewStepDropsWhatWasUndone)
{
    dialog.addBlocks();
    controls.answers.push_back(MessageAnswer::No); // the cube dropped on the way to Gamma
    dialog.levelLineChosen(2);
    ASSERT_EQ(view.shown.back().name, "Gamma");

    // The last step was Alpha's: undone, Alpha is current as before it.
    dialog.undo();
    expectShown({ "Alpha", "Beta", "Gamma" }, 0, false);
    EXPECT_EQ(view.shown.back().name, "Alpha");
    EXPECT_EQ(cells(view.cubes).size(), 1u);
    // Redo comes back to where the undo was made.
    dialog.redo();
    expectShown({ "Alpha", "Beta", "Gamma" }, 2, false);
    EXPECT_EQ(view.shown.back().name, "Gamma");

    dialog.undo();
    view.selected = { { 2, 2 } };
    dialog.removeBlocks(); // a new step: the redo goes
    dialog.redo();
    EXPECT_TRUE(view.cubes.blocks().empty());
    EXPECT_EQ(dialog.currentIndex(), 0);
    dialog.undo();
    EXPECT_EQ(cells(view.cubes).size(), 1u);
    dialog.undo();
    EXPECT_EQ(cells(view.cubes).size(), 1u) << "nothing older to undo";
}

TEST_F(Undo, AHundredStepsAreKept)
{
    for (int i = 0; i < 101; ++i) {
        view.selected = { { i % 6, (i / 6) % 6 } };
        dialog.addBlocks();
    }
    ASSERT_EQ(view.cubes.blocks().size(), 36u); // every cell of layer 0, the old cube's replaced
    for (int i = 0; i < 100; ++i)
        dialog.undo();
    // Back to the first step's cube on the old one's layer.
    EXPECT_EQ(cells(view.cubes), (std::vector<std::tuple<int, int, int>> { { 0, 0, 0 }, { 2, 2, 0 } }));
}

TEST_F(Undo, KeysWhileAQuestionWaitsDoNothing)
{
    dialog.addBlocks();
    dialog.moveLevelDown();
    controls.whileAsking = [this] {
        dialog.historyRequested(HistoryStep::Undo);
        dialog.historyRequested(HistoryStep::Undo);
    };
    controls.answers.push_back(MessageAnswer::Yes);
    dialog.levelLineChosen(2);
    expectShown({ "Beta", "Alpha", "Gamma" }, 2, false);
    EXPECT_EQ(cells(levels[1]).size(), 2u) << "Alpha kept with its cube";

    // Once answered, the keys work again: the switch was no step, the commit was.
    controls.whileAsking = nullptr;
    dialog.historyRequested(HistoryStep::Undo);
    expectShown({ "Beta", "Alpha", "Gamma" }, 1, true);
    EXPECT_EQ(cells(levels[1]).size(), 1u);
}
