#include "HudFixture.h"
#include "render/MenuButtons.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <utility>
#include <vector>

using namespace cubrava;

namespace {

using Calls = std::vector<std::string>;

// The menu laid out in the panel of a 1024 x 768 window.
struct MenuFixture : HudFixture {
    void SetUp() override
    {
        HudFixture::SetUp();
        hud.setViewport(panelOf(1024, 768));
    }

    const MenuButton& button(std::size_t i) const { return *hud.buttons()[i]; }

    // A point inside the label: the middle of its box.
    int midX(std::size_t i) const { return button(i).hitLeft() + button(i).labelWidth() / 2; }
    int midY(std::size_t i) const
    {
        const MenuButton& b = button(i);
        return b.hitBaseline() - (b.labelHeight() + b.labelDescender()) / 2;
    }

    std::vector<bool> hovered() const
    {
        std::vector<bool> result;
        for (const auto& b : hud.buttons())
            result.push_back(b->hovered());
        return result;
    }

    void click(int x, int y)
    {
        hud.buttonChanged(MouseButton::Left, ButtonState::Down, x, y);
        hud.buttonChanged(MouseButton::Left, ButtonState::Up, x, y);
    }
};

} // namespace

TEST(MenuBeforeLayout, ButtonsMeasureNothingAndCannotBeHit)
{
    test::FakeDisplay display;
    TextFakeActions actions;
    Hud hud(display, actions, {}, testFontFile());
    for (const auto& b : hud.buttons()) {
        EXPECT_EQ(b->labelWidth(), 0);
        EXPECT_EQ(b->labelHeight(), 0);
        EXPECT_FALSE(b->contains(b->hitLeft(), b->hitBaseline()));
    }
    hud.buttonChanged(MouseButton::Left, ButtonState::Up, 0, 0);
    EXPECT_TRUE(actions.calls.empty());
}

TEST_F(MenuFixture, TheHitBoxIsStrictOnEveryEdge)
{
    const MenuButton& b = button(5); // "exit": nothing below it
    const int left = b.hitLeft();
    const int right = left + b.labelWidth();
    const int top = b.hitBaseline() - b.labelHeight();
    const int bottom = b.hitBaseline() - b.labelDescender();
    const int y = midY(5);
    const int x = midX(5);

    EXPECT_TRUE(b.contains(x, y));
    EXPECT_FALSE(b.contains(left, y));
    EXPECT_TRUE(b.contains(left + 1, y));
    EXPECT_FALSE(b.contains(right, y));
    EXPECT_TRUE(b.contains(right - 1, y));
    EXPECT_FALSE(b.contains(x, top));
    EXPECT_TRUE(b.contains(x, top + 1));
    EXPECT_FALSE(b.contains(x, bottom));
    EXPECT_TRUE(b.contains(x, bottom - 1));

    hud.pointerMoved(left, y);
    EXPECT_FALSE(b.hovered());
    hud.pointerMoved(x, bottom);
    EXPECT_FALSE(b.hovered());
    hud.buttonChanged(MouseButton::Left, ButtonState::Up, x, bottom);
    hud.buttonChanged(MouseButton::Left, ButtonState::Up, right, y);
    EXPECT_TRUE(actions.calls.empty());
    hud.buttonChanged(MouseButton::Left, ButtonState::Up, right - 1, bottom - 1);
    EXPECT_EQ(actions.calls, (Calls { "exitGame" }));
}

TEST_F(MenuFixture, HoverLightsOneButtonAndRedrawsOnlyOnChange)
{
    hud.pointerMoved(midX(0), midY(0));
    EXPECT_EQ(hovered(), (std::vector<bool> { true, false, false, false, false, false }));
    EXPECT_TRUE(button(0).colour() == MenuButton::HoverColour);
    const int redisplays = display.redisplays;
    EXPECT_GT(redisplays, 0);

    hud.pointerMoved(midX(0) + 1, midY(0));
    EXPECT_EQ(display.redisplays, redisplays) << "nothing changed";

    hud.pointerMoved(midX(3), midY(3));
    EXPECT_EQ(hovered(), (std::vector<bool> { false, false, false, true, false, false }));
    EXPECT_EQ(display.redisplays, redisplays + 1);

    hud.pointerMoved(0, 0);
    EXPECT_EQ(hovered(), std::vector<bool>(6, false));
}

// The menu as the game lays it out in a window of each size: the panel is
// the right-hand quarter below the preview square.
class MenuRows : public ::testing::TestWithParam<std::pair<int, int>> { };

// Six labels in evenly spaced rows from the top down, one left edge, all
// inside the panel, each measured in the menu's font; every point of a row's text
// lights and acts its own button.
TEST_P(MenuRows, EveryPointOfATextRowLightsAndActsItsOwnButtonOnce)
{
    const auto [width, height] = GetParam();
    test::FakeDisplay display { width, height };
    TextFakeActions actions;
    Hud hud { display, actions, {}, testFontFile() };
    hud.initFont();
    const int quarter = width / 4;
    hud.setViewport(panelOf(width, height));

    const char* const labels[] = { "new game", "resume", "window mode", "prev song", "next song", "exit" };
    const char* const acts[]
        = { "newGame", "togglePause", "toggleDisplayMode", "changeSong previous", "changeSong next", "exitGame" };
    const auto& buttons = hud.buttons();
    ASSERT_EQ(buttons.size(), 6u);
    const int rowStep = buttons[1]->hitBaseline() - buttons[0]->hitBaseline();
    EXPECT_GT(rowStep, 0);
    for (std::size_t i = 0; i < buttons.size(); ++i) {
        const MenuButton& b = *buttons[i];
        SCOPED_TRACE(labels[i]);
        EXPECT_EQ(b.label(), labels[i]);
        EXPECT_EQ(b.labelWidth(), hud.menuFont().textWidth(labels[i]));
        EXPECT_GT(b.labelWidth(), 0);
        EXPECT_EQ(b.hitLeft(), buttons[0]->hitLeft());
        EXPECT_GT(b.hitLeft(), width - quarter);
        EXPECT_LT(b.hitLeft() + b.labelWidth(), width);
        EXPECT_GT(b.hitBaseline() - b.labelHeight(), quarter) << "below the preview square";
        EXPECT_LT(b.hitBaseline(), height);
        if (i > 0) {
            EXPECT_NEAR(b.hitBaseline() - buttons[i - 1]->hitBaseline(), rowStep, 1);
        }
        EXPECT_FALSE(b.hovered());
        EXPECT_TRUE(b.colour() == MenuButton::NormalColour);
    }
    const int smallLetterTop = hud.menuFont().glyph('x').top;
    ASSERT_GT(smallLetterTop, 0);
    int shared = 0; // points that more than one box holds
    for (std::size_t i = 0; i < buttons.size(); ++i) {
        const MenuButton& b = *buttons[i];
        const int x = b.hitLeft() + 2;
        for (int y = b.hitBaseline() - smallLetterTop; y <= b.hitBaseline(); ++y) {
            SCOPED_TRACE(b.label() + " at " + std::to_string(y));
            int holders = 0;
            for (const auto& other : buttons)
                holders += other->contains(x, y);
            shared += holders > 1;

            hud.pointerMoved(x, y);
            for (std::size_t j = 0; j < buttons.size(); ++j)
                EXPECT_EQ(buttons[j]->hovered(), j == i) << buttons[j]->label();
            actions.calls.clear();
            hud.buttonChanged(MouseButton::Left, ButtonState::Down, x, y);
            hud.buttonChanged(MouseButton::Left, ButtonState::Up, x, y);
            EXPECT_EQ(actions.calls, (Calls { acts[i] }));
        }
    }
    // At 1920 x 1080 a box reaches well into the rows of its neighbours.
    if (width == 1920) {
        EXPECT_GT(shared, 30);
    }
}

INSTANTIATE_TEST_SUITE_P(WindowSizes, MenuRows,
    ::testing::Values(std::make_pair(1024, 768), std::make_pair(1920, 1080)),
    [](const ::testing::TestParamInfo<std::pair<int, int>>& info) {
        return std::to_string(info.param.first) + "x" + std::to_string(info.param.second);
    });

TEST_F(MenuFixture, AfterADisplaySwitchTheLightFollowsThePointer)
{
    // The switch relabels the button to a narrower "full screen"; a pointer
    // near the end of "window mode" is then over nothing.
    const int x = button(2).hitLeft() + button(2).labelWidth() - 2;
    ASSERT_GT(x, button(2).hitLeft() + hud.menuFont().textWidth("full screen"));
    hud.pointerMoved(x, midY(2));
    ASSERT_TRUE(button(2).hovered());
    click(x, midY(2));
    EXPECT_EQ(button(2).label(), "full screen");
    EXPECT_EQ(hovered(), std::vector<bool>(6, false));

    // The new display tells where the pointer is; the layout that follows
    // keeps lighting what is under it.
    hud.setPointer(PointerPlace { midX(5), midY(5) });
    EXPECT_EQ(hovered(), (std::vector<bool> { false, false, false, false, false, true }));
    hud.setViewport(panelOf(1024, 768));
    EXPECT_TRUE(button(5).hovered());
    hud.setPointer(std::nullopt);
    EXPECT_EQ(hovered(), std::vector<bool>(6, false));

    // While playing nothing lights, wherever the pointer was.
    hud.pointerMoved(midX(4), midY(4));
    hud.setPaused(false);
    hud.setViewport(panelOf(1024, 768));
    EXPECT_EQ(hovered(), std::vector<bool>(6, false));
}

TEST_F(MenuFixture, OnlyALeftReleaseOverAButtonActs)
{
    hud.buttonChanged(MouseButton::Left, ButtonState::Down, midX(5), midY(5));
    hud.buttonChanged(MouseButton::Right, ButtonState::Up, midX(5), midY(5));
    hud.buttonChanged(MouseButton::Middle, ButtonState::Up, midX(5), midY(5));
    EXPECT_TRUE(actions.calls.empty()) << "a press, the right and the middle button";
    hud.buttonChanged(MouseButton::Left, ButtonState::Up, 0, 0);
    hud.buttonChanged(MouseButton::Left, ButtonState::Up, midX(5), midY(0) - 200);
    EXPECT_TRUE(actions.calls.empty()) << "released elsewhere";

    for (std::size_t i : { 0, 1, 3, 4, 5 })
        click(midX(i), midY(i));
    EXPECT_EQ(
        actions.calls, (Calls { "newGame", "togglePause", "changeSong previous", "changeSong next", "exitGame" }));
}

TEST_F(MenuFixture, ActingResetsTheColourOfNewGameAndPause)
{
    for (std::size_t i : { 0, 1 }) {
        hud.pointerMoved(midX(i), midY(i));
        ASSERT_TRUE(button(i).hovered());
        click(midX(i), midY(i));
        EXPECT_FALSE(button(i).hovered());
    }
}

TEST_F(MenuFixture, TheDisplayModeButtonNamesTheOtherMode)
{
    EXPECT_EQ(button(2).label(), "window mode");
    click(midX(2), midY(2));
    EXPECT_EQ(actions.calls, (Calls { "toggleDisplayMode" }));
    EXPECT_EQ(button(2).label(), "full screen");
    EXPECT_EQ(button(2).labelWidth(), hud.menuFont().textWidth("full screen"));
    click(midX(2), midY(2));
    EXPECT_EQ(button(2).label(), "window mode");

    hud.setDisplayModeLabel(false);
    EXPECT_EQ(button(2).label(), "full screen");
    hud.setDisplayModeLabel(true);
    EXPECT_EQ(button(2).label(), "window mode");
}

TEST_F(MenuFixture, PlayingRelabelsThePauseButtonAndClearsHover)
{
    hud.pointerMoved(midX(4), midY(4));
    ASSERT_TRUE(button(4).hovered());

    hud.setPaused(false);
    EXPECT_EQ(button(1).label(), "'esc' to pause");
    EXPECT_EQ(button(1).labelWidth(), hud.menuFont().textWidth("'esc' to pause"));
    EXPECT_EQ(hovered(), std::vector<bool>(6, false));

    hud.setPaused(true);
    EXPECT_EQ(button(1).label(), "resume");
    EXPECT_EQ(button(1).labelWidth(), hud.menuFont().textWidth("resume"));
}
