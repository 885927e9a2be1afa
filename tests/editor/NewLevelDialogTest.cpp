// "Create New Level": the seven refusals in their order, each putting the
// focus into its field, and the level made once every field is right.

#include "editor/dialog/NewLevelDialog.h"
#include "DialogFakes.h"

#include <gtest/gtest.h>

using namespace cubrava;
using namespace cubrava::test;

TEST(NewLevelDialog, RefusesTheFirstWrongFieldInOrder)
{
    FakeNewLevelControls controls;
    NewLevelDialog dialog(controls);
    struct Step {
        NewLevelField field;
        std::string text; // typed before "Create"
        const char* message; // then refused with this
        NewLevelField focus;
    };
    const Step steps[] = {
        { NewLevelField::Name, "", "You gotta specify a Level Name", NewLevelField::Name },
        { NewLevelField::Name, " ", "You gotta specify an X dimension.", NewLevelField::X },
        { NewLevelField::X, "3", "You gotta specify an Y dimension.", NewLevelField::Y },
        { NewLevelField::Y, "51", "You gotta specify a Height.", NewLevelField::Height },
        { NewLevelField::Height, "0", "X dimension has to be between 4 and 50.", NewLevelField::X },
        { NewLevelField::X, "4", "Y dimension has to be between 4 and 50.", NewLevelField::Y },
        { NewLevelField::Y, "50", "Height has to be between 4 and 50.", NewLevelField::Height },
        { NewLevelField::Height, "3", "Height has to be between 4 and 50.", NewLevelField::Height },
        { NewLevelField::X, "51", "X dimension has to be between 4 and 50.", NewLevelField::X },
    };
    for (const Step& step : steps) {
        controls.texts[step.field] = step.text;
        controls.focused.reset();
        dialog.create();
        ASSERT_FALSE(controls.messages.empty());
        EXPECT_EQ(controls.messages.back().caption, "Doh!");
        EXPECT_EQ(controls.messages.back().text, step.message) << "after typing '" << step.text << "'";
        EXPECT_EQ(controls.messages.back().icon, MessageIcon::Warning);
        EXPECT_EQ(controls.focused, step.focus) << step.message;
        EXPECT_EQ(controls.closed, 0);
        EXPECT_FALSE(dialog.level());
    }
    EXPECT_EQ(controls.messages.size(), std::size(steps));

    // 4 and 50 at both ends, and a name of one blank, make a level.
    controls.texts[NewLevelField::X] = "50";
    controls.texts[NewLevelField::Y] = "4";
    controls.texts[NewLevelField::Height] = "50";
    dialog.create();
    EXPECT_EQ(controls.messages.size(), std::size(steps));
    EXPECT_EQ(controls.closed, 1);
    ASSERT_TRUE(dialog.level());
    const LevelDef& made = *dialog.level();
    EXPECT_EQ(made.name, " ");
    EXPECT_EQ(made.x, 50);
    EXPECT_EQ(made.y, 4);
    EXPECT_EQ(made.z, 50);
    EXPECT_EQ(made.goal, 1);
    EXPECT_EQ(made.drop, 1000);
    EXPECT_TRUE(made.blocks().empty());
}
