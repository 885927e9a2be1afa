#pragma once

#include "TextFakes.h"
#include "data/LevelDef.h"
#include "render/Hud.h"
#include "support/FakeDisplay.h"

#include <gtest/gtest.h>

namespace cubrava {

// The Hud's rectangle in a window of the given size, as the game lays it
// out: the right-hand column's quarter below the square preview.
inline ViewRect panelOf(int windowWidth, int windowHeight)
{
    const int q = windowWidth / 4;
    return ViewRect { windowWidth - q, 0, q, windowHeight - q };
}

// A Hud in a 1024 x 768 window, its font open, showing a level not yet laid out.
struct HudFixture : ::testing::Test {
    test::FakeDisplay display { 1024, 768 };
    TextFakeActions actions;
    Hud hud { display, actions, {}, testFontFile() };
    LevelDef level { 6, 6, 12 };

    void SetUp() override
    {
        level.name = "Warm up";
        level.goal = 5;
        hud.initFont();
        hud.showLevel(level);
    }
};

} // namespace cubrava
