// Scene code against a real OpenGL context: run under an X display
// (scripts/with-xvfb). One window serves every test.
#include "SceneBmp.h"
#include "data/LevelDef.h"
#include "model/PlayField.h"
#include "render/GlutDisplay.h"
#include "render/GlutTimers.h"
#include "render/PreviewView.h"
#include "render/RenderContext.h"
#include "render/SceneView.h"
#include "render/TextureLoader.h"
#include "support/FakeClock.h"
#include "support/GlutTestWindow.h"
#include "support/PictureCompare.h"
#include "support/PieceMaking.h"
#include "support/ScratchDir.h"

#include <GL/freeglut.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <memory>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

using namespace cubrava;

namespace {

GLint stackDepth(GLenum which)
{
    GLint depth = 0;
    glGetIntegerv(which, &depth);
    return depth;
}

// Matrix stacks, the matrix mode and the states the views switch on and off
// must be as they were after any view has drawn.
struct StateSnapshot {
    GLint projection = stackDepth(GL_PROJECTION_STACK_DEPTH);
    GLint modelview = stackDepth(GL_MODELVIEW_STACK_DEPTH);
    GLint mode = [] {
        GLint m = 0;
        glGetIntegerv(GL_MATRIX_MODE, &m);
        return m;
    }();

    void expectUnchanged() const
    {
        EXPECT_EQ(stackDepth(GL_PROJECTION_STACK_DEPTH), projection);
        EXPECT_EQ(stackDepth(GL_MODELVIEW_STACK_DEPTH), modelview);
        GLint m = 0;
        glGetIntegerv(GL_MATRIX_MODE, &m);
        EXPECT_EQ(m, mode);
        for (GLenum cap :
            { GL_LIGHTING, GL_BLEND, GL_TEXTURE_2D, GL_DEPTH_TEST, GL_COLOR_MATERIAL, GL_LIGHT0, GL_CULL_FACE })
            EXPECT_FALSE(glIsEnabled(cap)) << std::hex << cap;
        GLboolean depthWrites = GL_FALSE;
        glGetBooleanv(GL_DEPTH_WRITEMASK, &depthWrites);
        EXPECT_TRUE(depthWrites);
        EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
    }
};

std::vector<std::uint8_t> pixels(std::initializer_list<int> values)
{
    std::vector<std::uint8_t> out;
    for (int v : values)
        out.push_back(static_cast<std::uint8_t>(v));
    return out;
}

struct GlFixture : ::testing::Test {
    ScratchDir dir;
    const PieceSet pieces = test::piecesOf({ test::cube, test::lineX3 });
    void SetUp() override
    {
        while (glGetError() != GL_NO_ERROR) { }
        std::filesystem::create_directories(dir.path() / "Textures");
    }
};

using GlTexture = GlFixture;
using GlViews = GlFixture;

} // namespace

TEST_F(GlTexture, LoadsUnpaddedRowsBottomFirstWithMipmapsAndRepeat)
{
    // Two pixels a row: six bytes, so the renderer must not expect rows padded to four.
    writeBmp24("Textures/t.bmp", 2, 2, pixels({ 255, 0, 0, 0, 255, 0, 0, 0, 255, 255, 255, 255 }));
    const std::uint32_t handle = loadTexture("Textures/t.bmp");
    ASSERT_NE(handle, 0u);
    glBindTexture(GL_TEXTURE_2D, handle);
    std::vector<std::uint8_t> back(12, 0);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glGetTexImage(GL_TEXTURE_2D, 0, GL_RGB, GL_UNSIGNED_BYTE, back.data());
    // OpenGL's first row is the bottom one: blue, white; then red, green.
    EXPECT_EQ(back, pixels({ 0, 0, 255, 255, 255, 255, 255, 0, 0, 0, 255, 0 }));

    GLint width = 0, param = 0;
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 1, GL_TEXTURE_WIDTH, &width);
    EXPECT_EQ(width, 1);
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, &param);
    EXPECT_EQ(param, GL_REPEAT);
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, &param);
    EXPECT_EQ(param, GL_LINEAR_MIPMAP_LINEAR);
    glBindTexture(GL_TEXTURE_2D, 0);

    // Sides that are not powers of two are scaled, not refused.
    std::vector<std::uint8_t> odd(3 * 5 * 3, 128);
    writeBmp24("Textures/odd.bmp", 3, 5, odd);
    EXPECT_NE(loadTexture("Textures/odd.bmp"), 0u);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST_F(GlTexture, NothingIsLoadedIntoADisplayListBeingCompiled)
{
    writeBmp24("Textures/t.bmp", 1, 1, pixels({ 10, 20, 30 }));
    const GLuint list = glGenLists(1);
    glNewList(list, GL_COMPILE);
    EXPECT_EQ(loadTexture("Textures/t.bmp"), 0u);
    glEndList();
    glDeleteLists(list, 1);
    EXPECT_NE(loadTexture("Textures/t.bmp"), 0u);
}

namespace {

// How many display-list names are alive among the first thousand.
int liveLists()
{
    int live = 0;
    for (GLuint name = 1; name <= 1000; ++name)
        live += glIsList(name) ? 1 : 0;
    return live;
}

} // namespace

// The falling piece and the next one are drawn from lists compiled after the
// pieces' textures were loaded: a texture made while a list is compiled would
// be recorded into the list instead, and the cubes would come out white.
TEST_F(GlTexture, PiecesInListsShowTheirTexture)
{
    writeBmp24("Textures/green.bmp", 1, 1, pixels({ 0, 255, 0 }));
    const PieceSet greenCubes = test::piecesOf({ test::cube }, { "FFFFFF", "Textures/green.bmp" });
    LevelDef level { 3, 3, 4 };
    PlayField play(level, greenCubes);
    GlutDisplay display;
    test::FakeClock clock;
    SceneView scene(display, clock);
    PreviewView preview(display);
    scene.attach(play);
    preview.attach(play);
    scene.setViewport(ViewRect { 0, 0, 200, 300 });
    preview.setViewport(ViewRect { 200, 100, 200, 200 });
    play.start();
    play.advance();
    ASSERT_NE(play.activePiece(), nullptr);

    RenderContext context(display);
    scene.initGl();
    preview.initGl();
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    scene.draw(context);
    preview.draw(context);
    const std::vector<std::uint8_t> rgb = readBackBuffer(400, 300);
    // White cubes lit white show no green.
    int green[2] = { 0, 0 };
    for (int y = 0; y < 300; ++y)
        for (int x = 0; x < 400; ++x) {
            const std::uint8_t* p = &rgb[static_cast<std::size_t>((y * 400 + x) * 3)];
            green[x < 200 ? 0 : 1] += p[1] > p[0] + 60 && p[1] > p[2] + 60;
        }
    EXPECT_GT(green[0], 30) << "the falling piece in the scene";
    EXPECT_GT(green[1], 300) << "the next piece in the preview";
}

TEST_F(GlViews, SceneAndPreviewDrawWithRealListsAndLeaveTheStateAsTheyFoundIt)
{
    LevelDef level { 5, 4, 8 };
    Material red;
    red.red = 1;
    for (int x = 0; x < 5; ++x)
        level.addBlock(static_cast<std::int8_t>(x), 0, 0, red);
    PlayField play(level, pieces);

    GlutDisplay display;
    test::FakeClock clock;
    SceneView scene(display, clock);
    PreviewView preview(display);
    scene.initGl();
    preview.initGl();
    preview.attach(play);
    scene.attach(play);
    scene.setViewport(ViewRect { 0, 0, 300, 300 });
    preview.setViewport(ViewRect { 300, 200, 100, 100 });

    play.start();
    play.advance();
    play.move(MoveKind::StepDown);
    scene.onPlayEvent(play, PlayEvent::LayerClearing, 0);

    const int listsBefore = liveLists();
    auto context = std::make_unique<RenderContext>(display);
    const StateSnapshot before;
    scene.draw(*context);
    preview.draw(*context);
    before.expectUnchanged();
    EXPECT_EQ(liveLists(), listsBefore + 4) << "grid, piece, marker and preview";
    EXPECT_EQ(scene.effects().size(), 2u);

    scene.keyDown('b'); // top view
    scene.stepEffects();
    scene.draw(*context);
    before.expectUnchanged();

    // A new context for a new display: the old one's objects go with it, and
    // the next frame makes them again.
    context = std::make_unique<RenderContext>(display);
    EXPECT_EQ(liveLists(), listsBefore);
    scene.draw(*context);
    preview.draw(*context);
    EXPECT_EQ(liveLists(), listsBefore + 4);
    context.reset();
    EXPECT_EQ(liveLists(), listsBefore);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST_F(GlViews, AFieldAttachedFromAnotherThreadGetsItsListsAtTheNextDraw)
{
    LevelDef small { 4, 4, 6 }, tall { 5, 4, 9 };
    PlayField first(small, pieces), second(tall, pieces);
    GlutDisplay display;
    test::FakeClock clock;
    SceneView scene(display, clock);
    scene.setViewport(ViewRect { 0, 0, 200, 200 });
    const int before = liveLists();
    RenderContext context(display);
    scene.attach(first);
    scene.draw(context);
    ASSERT_EQ(liveLists(), before + 3);

    // The editor's dialog thread has no rendering context.
    std::thread([&] { scene.attach(second); }).join();
    scene.draw(context);
    EXPECT_EQ(liveLists(), before + 3) << "the second field's lists are the first field's, compiled again";
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST_F(GlViews, BurstsDrawUntilTheirLastParticleDiesThenLeaveTheScene)
{
    LevelDef level { 4, 4, 6 };
    PlayField play(level, pieces);
    GlutDisplay display;
    test::FakeClock clock;
    SceneView scene(display, clock);
    RenderContext context(display);
    scene.attach(play);
    scene.setViewport(ViewRect { 0, 0, 200, 200 });
    scene.onPlayEvent(play, PlayEvent::LayerClearing, 2);
    const StateSnapshot before;
    int frames = 0;
    while (!scene.effects().empty() && frames < 400) {
        scene.stepEffects();
        scene.draw(context);
        ++frames;
    }
    EXPECT_TRUE(scene.effects().empty());
    EXPECT_GT(frames, 100);
    before.expectUnchanged();
}

// A display switch makes a new rendering context, which hands out the same
// small buffer names again: the bursts must not take the landed cubes' ones
// for their own. One view goes through both contexts, as in the game.
TEST_F(GlViews, BurstsInANewContextLeaveTheLandedCubesAsTheyWere)
{
    const int testWindow = glutGetWindow();
    GlutDisplay display;
    test::FakeClock clock;
    LevelDef empty { 4, 4, 6 }, level { 4, 4, 6 };
    Material red;
    red.red = 1;
    for (int x = 0; x < 4; ++x)
        for (int y = 0; y < 3; ++y)
            level.addBlock(static_cast<std::int8_t>(x), static_cast<std::int8_t>(y), 0, red);
    PlayField emptyPlay(empty, pieces), play(level, pieces);
    SceneView scene(display, clock);
    scene.setViewport(ViewRect { 0, 0, 200, 200 });

    const int first = glutCreateWindow("first context");
    {
        RenderContext context(display);
        scene.initGl();
        scene.attach(emptyPlay);
        scene.onPlayEvent(emptyPlay, PlayEvent::LayerClearing, 0);
        scene.draw(context); // the bursts' buffers come first in this context
    }
    glutDestroyWindow(first);

    const int second = glutCreateWindow("second context");
    {
        RenderContext context(display);
        scene.initGl();
        scene.attach(play);
        play.start(); // the first field's bursts end
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        scene.draw(context); // here the landed cubes' buffers come first
        const std::vector<std::uint8_t> before = readBackBuffer(200, 200);

        scene.onPlayEvent(play, PlayEvent::LayerClearing, 4);
        for (int frames = 0; !scene.effects().empty() && frames < 400; ++frames) {
            scene.stepEffects();
            scene.draw(context);
        }
        ASSERT_TRUE(scene.effects().empty());
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        scene.draw(context);
        EXPECT_TRUE(readBackBuffer(200, 200) == before) << "the landed cubes changed after a burst";
    }
    glutDestroyWindow(second);
    glutSetWindow(testWindow);
}

TEST(GlutTimersTest, CallbacksFireOnceInTimeOrderAndErrorsReachTheHandler)
{
    std::vector<int> fired;
    std::vector<std::string> errors;
    GlutTimers timers([&](std::exception_ptr e) {
        try {
            std::rethrow_exception(e);
        } catch (const std::exception& ex) {
            errors.push_back(ex.what());
        }
    });
    const std::size_t before = GlutTimers::pending();
    const auto armed = std::chrono::steady_clock::now();
    timers.after(40, [&] { fired.push_back(40); });
    timers.after(5, [&] { fired.push_back(5); });
    timers.after(20, [] { throw std::runtime_error("late"); });
    timers.after(10, [&] {
        fired.push_back(10);
        timers.after(1, [&] { fired.push_back(11); }); // armed from inside a timer
    });
    const auto arming = std::chrono::steady_clock::now() - armed;
    EXPECT_EQ(GlutTimers::pending(), before + 4);

    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
    while (GlutTimers::pending() > before && std::chrono::steady_clock::now() < deadline)
        glutMainLoopEvent();
    EXPECT_EQ(errors, std::vector<std::string> { "late" });
    EXPECT_EQ(GlutTimers::pending(), before);
    std::vector<int> once = fired;
    std::sort(once.begin(), once.end());
    ASSERT_EQ(once, (std::vector<int> { 5, 10, 11, 40 }));

    // Due times are only known relative to when each was armed: a late loop
    // may fire the inner timer after the 40 ms one, a stalled arming may let
    // the 40 ms one come first.
    auto at = [&](int value) { return std::find(fired.begin(), fired.end(), value) - fired.begin(); };
    EXPECT_LT(at(5), at(10));
    EXPECT_LT(at(10), at(11));
    if (arming < std::chrono::milliseconds(30)) {
        EXPECT_GT(at(40), at(10)) << "armed first, due after 5 and 10";
    }
}

int main(int argc, char** argv)
{
    return runTestsInGlutWindow(argc, argv, 400, 300, "scene GL tests");
}
