// Display switches of the Game on real windows, each with a rendering context
// of its own as game mode and the window have (run under scripts/with-xvfb).
#define GL_GLEXT_PROTOTYPES
#include "GameRig.h"
#include "WindowScreen.h"
#include "render/GlutDisplay.h"
#include "support/PictureCompare.h"

#include <GL/freeglut.h>
#include <GL/glext.h>
#include <gtest/gtest.h>

#include <vector>

using namespace cubrava;
using namespace cubrava::test;

namespace {

// The objects of every kind alive in the current rendering context, among
// the first names it hands out.
std::size_t liveGlObjects()
{
    std::size_t live = 0;
    for (GLuint name = 1; name <= 2000; ++name)
        live += (glIsTexture(name) ? 1 : 0) + (glIsBuffer(name) ? 1 : 0) + (glIsList(name) ? 1 : 0)
            + (glIsFramebuffer(name) ? 1 : 0) + (glIsRenderbuffer(name) ? 1 : 0);
    return live;
}

} // namespace

// A game paused in play, landed cubes, a textured piece falling, the panel
// and a burst on screen: every switch leaves the new context holding what the first switch
// left, all of it made by its owner, and nothing of an old context.
TEST(DisplaySwitches, TwentyLeaveTheObjectsWhereTheFirstLeftThem)
{
    ScratchDir dir;
    std::filesystem::create_directories("Textures");
    writeCheckerBmp("Textures/brushed-metal3.bmp", 4, 200, 120);
    writeCheckerBmp("Textures/small.bmp", 2, 250, 30);
    writeGameFiles(dir,
        "<levels><level name='Floor' x='4' y='4' z='8' goal='1' drop='250'><blocks>"
        "<b x='0' y='0' z='0' color='00FF00'/><b x='1' y='0' z='0' color='0000FF' texture='Textures/small.bmp'/>"
        "</blocks></level></levels>",
        DefaultStatus, pieceFile({ cube }, { "FFFFFF", "Textures/small.bmp" }));
    FakeClock clock;
    GlutDisplay display;
    WindowScreen screen;
    Game game(GameServices { clock, display, screen, [](int) {} });
    screen.enterFullScreen();
    game.startUp();

    const auto frame = [&] {
        game.reshape(Width, Height);
        game.drawFrame();
        glFinish();
    };
    game.keyboard('n', Modifiers { false, false, true });
    clock.advance(3000);
    ASSERT_NE(game.play()->activePiece(), nullptr);
    game.keyboard(EscapeKey, Modifiers {}); // pause
    game.scene().onPlayEvent(*game.play(), PlayEvent::LayerClearing, 0);
    frame();

    std::vector<std::size_t> owned;
    for (int switches = 1; switches <= 20; ++switches) {
        SCOPED_TRACE(switches);
        game.toggleDisplayMode();
        glutMainLoopEvent(); // the old window goes
        clock.advance(1000); // the new display is set up
        ASSERT_TRUE(game.displayReady());
        frame();
        frame();
        ASSERT_NE(game.renderContext(), nullptr);
        owned.push_back(game.renderContext()->liveObjects());
        EXPECT_EQ(liveGlObjects(), owned.back()) << "objects the owner does not count, or counts but lost";
        EXPECT_EQ(owned.back(), owned.front());
    }
    // Four lists, the landed cubes' and the bursts' buffers, the textures
    // of three fonts, the panel and the cubes.
    EXPECT_EQ(owned.front(), 13u);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

int main(int argc, char** argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    glutInit(&argc, argv);
    glutInitDisplayMode(GLUT_RGBA | GLUT_DOUBLE | GLUT_DEPTH | GLUT_STENCIL);
    return RUN_ALL_TESTS();
}
