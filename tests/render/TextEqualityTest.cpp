// Text drawn from the glyph textures against the same screens drawn with
// glDrawPixels, in the game's window layout with the shipped panel image, so
// the tint the bound panel texture gives the text is part of the picture: the
// two may differ in at most one pixel in a thousand. Runs under an X display
// (scripts/with-xvfb) in the build's runtime folder.
#include "TextFakes.h"
#include "data/LevelDef.h"
#include "reference/PixelText.h"
#include "render/GlutDisplay.h"
#include "render/Hud.h"
#include "render/RenderContext.h"
#include "render/StatusOverlay.h"
#include "support/GlutTestWindow.h"
#include "support/PictureCompare.h"

#include <GL/freeglut.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

using namespace cubrava;

namespace {

constexpr int WindowWidth = 1024;
constexpr int WindowHeight = 768;
constexpr int PitWidth = WindowWidth - WindowWidth / 4;
constexpr long WindowPixels = static_cast<long>(WindowWidth) * WindowHeight;

struct Screens {
    GlutDisplay display;
    RenderContext context { display };
    TextFakeActions actions;
    Hud hud { display, actions };
    StatusOverlay status { display };
    LevelDef level { 6, 6, 12 };

    Screens()
    {
        level.name = "Green Valley";
        level.goal = 5;
        status.init();
        hud.initFont();
        hud.showLevel(level);
        hud.initGl();
        const int q = WindowWidth / 4;
        hud.setViewport(ViewRect { WindowWidth - q, 0, q, WindowHeight - q });
        status.setViewport(ViewRect { 0, 0, PitWidth, WindowHeight });
    }

    std::vector<std::uint8_t> drawAndRead(const TextDrawing& text)
    {
        glViewport(0, 0, WindowWidth, WindowHeight);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        hud.draw(context, text);
        status.draw(context, text);
        return readBackBuffer(WindowWidth, WindowHeight);
    }

    // Puts the pointer on the first menu button, so it shows its lit colour.
    void hoverFirstButton()
    {
        for (int y = WindowHeight / 4; y < WindowHeight; ++y)
            for (int x = WindowWidth - WindowWidth / 4; x < WindowWidth; ++x)
                if (hud.buttons()[0]->contains(x, y)) {
                    hud.pointerMoved(x, y);
                    return;
                }
    }
};

// Lit pixels left of the panel column: only the status text draws there.
long statusPixels(const std::vector<std::uint8_t>& rgb)
{
    long count = 0;
    for (int y = 0; y < WindowHeight; ++y)
        for (int x = 0; x < PitWidth; ++x) {
            const std::size_t i = (static_cast<std::size_t>(y) * WindowWidth + x) * 3;
            count += rgb[i] + rgb[i + 1] + rgb[i + 2] > 30;
        }
    return count;
}

// The level name's green pixels above or below its band: its tall letters
// reach past the band's viewport, which does not hold text in.
long nameOutsideBand(const std::vector<std::uint8_t>& rgb, const Hud& hud)
{
    long count = 0;
    for (int y = 0; y < WindowHeight; ++y) {
        if (y >= hud.bandBottom() && y < hud.bandBottom() + hud.bandHeight())
            continue;
        for (int x = PitWidth; x < WindowWidth; ++x) {
            const std::size_t i = (static_cast<std::size_t>(y) * WindowWidth + x) * 3;
            count += rgb[i + 1] > rgb[i] + 60 && rgb[i + 1] > rgb[i + 2] + 60;
        }
    }
    return count;
}

} // namespace

TEST(GlyphTextures, DrawTheSameScreensAsGlDrawPixels)
{
    Screens screens;
    struct Screen {
        const char* name;
        void (*set)(Screens&);
    };
    const Screen list[] = {
        { "paused menu, first button lit, cyan message",
            [](Screens& s) {
                s.hud.setPaused(true);
                s.hoverFirstButton();
                s.status.show("Level complete", TextColour { 0.0f, 1.0f, 1.0f });
            } },
        { "playing, name scrolled half out of its band, magenta message",
            [](Screens& s) {
                s.hud.setPaused(false);
                for (int i = 0; i < 60; ++i)
                    s.hud.scrollStep();
                s.status.show("PAUSED", TextColour { 1.0f, 0.0f, 1.0f });
            } },
        { "long Latin-1 name starting left of the window, wide message",
            [](Screens& s) {
                s.level.name = "Caf\xe9 \xc0 la Cr\xe8me des Cubes Tomb\xe9s, o\xf9 l'on Empile Toujours Plus Haut";
                s.level.goal = 120;
                s.hud.showLevel(s.level);
                for (int i = 0; i < 700; ++i)
                    s.hud.scrollStep();
                s.status.show("Over the rim, but still standing!", TextColour { 0.9f, 0.6f, 0.1f });
            } },
    };
    long spilled = 0;
    for (const Screen& screen : list) {
        SCOPED_TRACE(screen.name);
        screen.set(screens);
        const auto expected = screens.drawAndRead(PixelText());
        const auto actual = screens.drawAndRead(TextDrawing());
        ASSERT_GT(statusPixels(expected), 2000) << "the message is on the screen";
        const long differing = differingPixels(expected, actual);
        std::printf("%-62s %6ld of %ld pixels differ\n", screen.name, differing, WindowPixels);
        EXPECT_LE(differing, WindowPixels / 1000);
        const long spill = nameOutsideBand(expected, screens.hud);
        EXPECT_NEAR(nameOutsideBand(actual, screens.hud), spill, spill / 10);
        spilled += spill;
    }
    EXPECT_GT(spilled, 0) << "some name letters reach past the band";
}

int main(int argc, char** argv)
{
    return runTestsInGlutWindow(argc, argv, WindowWidth, WindowHeight, "text equality tests");
}
