#include "NewLevelDialog.h"

#include <cstdlib>

namespace cubrava {

namespace {

const char* const RefusalCaption = "Doh!";
constexpr long SmallestSide = 4;
constexpr long LargestSide = 50;

struct Check {
    NewLevelField field;
    bool (*fails)(const std::string& text);
    const char* message;
};

bool empty(const std::string& text)
{
    return text.empty();
}

bool outOfRange(const std::string& text)
{
    long value = std::strtol(text.c_str(), nullptr, 10);
    return value < SmallestSide || value > LargestSide;
}

// In the order they are made; the first that fails is reported.
const Check Checks[] = {
    { NewLevelField::Name, empty, "You gotta specify a Level Name" },
    { NewLevelField::X, empty, "You gotta specify an X dimension." },
    { NewLevelField::Y, empty, "You gotta specify an Y dimension." },
    { NewLevelField::Height, empty, "You gotta specify a Height." },
    { NewLevelField::X, outOfRange, "X dimension has to be between 4 and 50." },
    { NewLevelField::Y, outOfRange, "Y dimension has to be between 4 and 50." },
    { NewLevelField::Height, outOfRange, "Height has to be between 4 and 50." },
};

std::int8_t side(const std::string& text)
{
    return static_cast<std::int8_t>(std::strtol(text.c_str(), nullptr, 10));
}

} // namespace

NewLevelDialog::NewLevelDialog(NewLevelControls& controls)
    : controls_(controls)
{
}

void NewLevelDialog::create()
{
    for (const Check& check : Checks) {
        if (check.fails(controls_.text(check.field))) {
            controls_.showMessage(RefusalCaption, check.message, MessageIcon::Warning);
            controls_.focus(check.field);
            return;
        }
    }
    LevelDef level(side(controls_.text(NewLevelField::X)), side(controls_.text(NewLevelField::Y)),
        side(controls_.text(NewLevelField::Height)));
    level.name = controls_.text(NewLevelField::Name);
    level.goal = 1;
    level.drop = 1000;
    level_ = std::move(level);
    controls_.close();
}

void NewLevelDialog::cancel()
{
    level_.reset();
    controls_.close();
}

} // namespace cubrava
