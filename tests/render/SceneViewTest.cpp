#include "render/SceneView.h"
#include "data/LevelDef.h"
#include "model/PlayField.h"
#include "render/RenderContext.h"
#include "support/FakeClock.h"
#include "support/FakeDisplay.h"
#include "support/PieceMaking.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

using namespace cubrava;

namespace {

// A 6 x 4 x 10 pit attached to a view with a counting display and a fake clock.
struct SceneFixture : ::testing::Test {
    test::FakeDisplay display { 800, 600 };
    test::FakeClock clock;
    LevelDef level { 6, 4, 10 };
    const PieceSet pieces = test::piecesOf({ test::cube, test::lineX3 });
    std::unique_ptr<PlayField> play;
    SceneView view { display, clock };

    void SetUp() override
    {
        play = std::make_unique<PlayField>(level, pieces);
        view.attach(*play);
        display.forget();
    }

    // Fires 15 ms ticks until the chain ends (or a bound is reached); how many fired.
    int runTicks(int bound = 1000)
    {
        int fired = 0;
        while (clock.pending() > 0 && fired < bound) {
            clock.advance(SceneView::TickMs);
            ++fired;
        }
        return fired;
    }
};

using SceneMotion = SceneFixture;
using SceneLists = SceneFixture;
using SceneMouse = SceneFixture;
using SceneMoves = SceneFixture;

} // namespace

TEST_F(SceneMotion, AttachSetsLimitsAndStartingCameraOfThePit)
{
    EXPECT_NEAR(view.limits().maxDistance, 11.0, 1e-9);
    EXPECT_NEAR(view.camera().distance, 7.7, 1e-9);
    EXPECT_NEAR(view.camera().heightOffset, -1.25, 1e-9);
    EXPECT_EQ(view.limits().height, 10); // headroom left out

    // A new field resets the angles but leaves a held key held.
    view.keyDown('s');
    LevelDef wide { 12, 3, 5 };
    PlayField other(wide, pieces);
    view.attach(other);
    EXPECT_EQ(view.camera().yaw, 34.0);
    EXPECT_NEAR(view.camera().distance, 0.7 * 13.2, 1e-9);
    EXPECT_EQ(view.motion(), CameraMotion::YawUp);
}

TEST_F(SceneMotion, HeldKeyStepsNowAndEveryTickUntilTheLimitEndsTheChain)
{
    view.keyDown('G');
    EXPECT_NEAR(view.camera().distance, 7.3, 1e-9); // at once
    EXPECT_EQ(clock.pending(), 1u);
    EXPECT_EQ(display.redisplays, 1);

    clock.advance(14);
    EXPECT_NEAR(view.camera().distance, 7.3, 1e-9);
    clock.advance(1);
    EXPECT_NEAR(view.camera().distance, 6.9, 1e-9);

    runTicks();
    EXPECT_EQ(view.camera().distance, 0.0);
    EXPECT_EQ(clock.pending(), 0u);

    // A bit was already held: A joins in but does not restart the chain.
    view.keyDown('a');
    EXPECT_EQ(view.motion(), CameraMotion::ZoomIn | CameraMotion::ZoomOut);
    EXPECT_EQ(clock.pending(), 0u);
    EXPECT_EQ(view.camera().distance, 0.0);

    // Only a press while nothing is held starts it again.
    view.keyUp('g');
    view.keyUp('A');
    EXPECT_EQ(view.motion(), 0u);
    view.keyDown('a');
    EXPECT_NEAR(view.camera().distance, 0.4, 1e-9);
    EXPECT_EQ(clock.pending(), 1u);
}

TEST_F(SceneMotion, BothZoomKeysAlternateForeverOnOneChain)
{
    view.keyDown('g');
    view.keyDown('a');
    runTicks(19);
    EXPECT_EQ(view.camera().distance, 0.0);
    clock.advance(15);
    EXPECT_NEAR(view.camera().distance, 0.4, 1e-9);
    clock.advance(15);
    EXPECT_EQ(view.camera().distance, 0.0);
    EXPECT_EQ(clock.pending(), 1u);
}

TEST_F(SceneMotion, RepeatedPressesAndXAutoRepeatKeepOneStepPerTick)
{
    view.keyDown('s');
    view.keyDown('s');
    view.keyDown('S');
    EXPECT_NEAR(view.camera().yaw, 36.0, 1e-9);
    EXPECT_EQ(clock.pending(), 1u);

    // X key repeat: a release and a press every 30 ms while the key is held.
    for (int i = 0; i < 10; ++i) {
        clock.advance(7);
        view.keyUp('s');
        view.keyDown('s');
        clock.advance(23);
    }
    EXPECT_EQ(clock.pending(), 1u);
    // 300 ms is 20 ticks: one step each, plus the one at the first press.
    EXPECT_NEAR(view.camera().yaw, 34.0 + 2.0 * 21, 1e-9);
}

TEST_F(SceneMotion, TopViewIgnoresCameraKeysButReleasesStillClear)
{
    view.keyDown('e');
    const double pitch = view.camera().pitch;
    view.keyDown('b');
    EXPECT_TRUE(view.camera().topView);
    EXPECT_EQ(display.redisplays, 2);

    // The running chain ends at its next tick.
    runTicks();
    EXPECT_EQ(view.camera().pitch, pitch);

    view.keyDown('w');
    EXPECT_EQ(view.motion(), CameraMotion::PitchUp);
    EXPECT_EQ(clock.pending(), 0u);
    view.keyUp('E');
    EXPECT_EQ(view.motion(), 0u);

    view.keyDown('B');
    EXPECT_FALSE(view.camera().topView);
    view.keyDown('w');
    EXPECT_NEAR(view.camera().heightOffset, -1.65, 1e-9);
}

TEST_F(SceneMotion, MouseButtonsRaiseAndLowerAndReleaseMotionStopsEverything)
{
    view.mouseButton(MouseButton::Left, ButtonState::Down);
    EXPECT_NEAR(view.camera().heightOffset, -0.85, 1e-9);
    EXPECT_EQ(clock.pending(), 1u);
    view.mouseButton(MouseButton::Left, ButtonState::Up);
    runTicks();
    EXPECT_EQ(view.motion(), 0u);

    view.mouseButton(MouseButton::Middle, ButtonState::Down); // does nothing
    EXPECT_EQ(view.motion(), 0u);

    view.mouseButton(MouseButton::Right, ButtonState::Down);
    view.keyDown('f');
    EXPECT_EQ(view.motion(), CameraMotion::Lower | CameraMotion::YawDown);
    display.forget();
    view.releaseMotion();
    EXPECT_EQ(view.motion(), 0u);
    EXPECT_EQ(display.redisplays, 1);
    const double height = view.camera().heightOffset;
    runTicks();
    EXPECT_EQ(view.camera().heightOffset, height);
    EXPECT_EQ(clock.pending(), 0u);
}

TEST_F(SceneMouse, FirstMotionOnlyTakesTheCentreAndWarpMotionsAreIgnored)
{
    display.width = 800;
    display.height = 601;
    view.mouseMotion(100, 100);
    EXPECT_EQ(view.camera().yaw, 34.0);
    EXPECT_EQ(display.warps, 1);
    EXPECT_EQ(display.lastWarpX, 400);
    EXPECT_EQ(display.lastWarpY, 300);

    view.mouseMotion(400, 300); // the warp arriving
    EXPECT_EQ(view.camera().yaw, 34.0);

    view.mouseMotion(430, 285);
    EXPECT_NEAR(view.camera().yaw, 38.0, 1e-9);
    EXPECT_NEAR(view.camera().pitch, -40.0, 1e-9);
    EXPECT_EQ(display.warps, 2);
    view.mouseMotion(400, 300);
    EXPECT_NEAR(view.camera().yaw, 38.0, 1e-9);

    // The centre stays where it was taken, whatever the window does.
    display.width = 200;
    view.warpToCentre();
    EXPECT_EQ(display.lastWarpX, 400);
    view.mouseMotion(400, 300);
    view.mouseMotion(385, 300);
    EXPECT_NEAR(view.camera().yaw, 36.0, 1e-9);

    // Mouse look also turns the hidden angles of the top view.
    view.keyDown('b');
    view.mouseMotion(400, 300);
    view.mouseMotion(415, 300);
    EXPECT_NEAR(view.camera().yaw, 38.0, 1e-9);
}

TEST_F(SceneMouse, NoWarpToACentreNotYetTakenNorToWhereThePointerAlreadyIs)
{
    view.warpToCentre();
    EXPECT_EQ(display.warps, 0);

    view.mouseMotion(400, 300); // lands on the centre it takes
    EXPECT_EQ(display.warps, 0);
    view.mouseMotion(415, 300); // so this one is not swallowed
    EXPECT_NEAR(view.camera().yaw, 36.0, 1e-9);
    EXPECT_EQ(display.warps, 1);
}

TEST_F(SceneLists, EachEventRecompilesWhatItChangesAtTheNextDraw)
{
    auto context = std::make_unique<RenderContext>(display);
    view.prepare(*context);
    ASSERT_EQ(display.compiled, (std::vector<unsigned> { 1, 2, 3 })) << "grid, piece and marker lists";
    const unsigned grid = 1, piece = 2;
    struct Case {
        PlayEvent event;
        bool gridRecompiled, pieceRecompiled;
        int redisplays;
    };
    const Case cases[] = {
        { PlayEvent::Started, true, false, 1 },
        { PlayEvent::GameOver, false, false, 0 },
        { PlayEvent::Stopped, false, false, 0 },
        { PlayEvent::NextPieceChosen, false, false, 1 },
        { PlayEvent::TurnFinished, false, false, 1 },
        { PlayEvent::PieceSpawned, false, true, 1 },
        { PlayEvent::PieceMoved, false, true, 1 },
        { PlayEvent::PieceRotated, false, true, 1 },
        { PlayEvent::PieceLanded, true, true, 1 },
        { PlayEvent::LayerCleared, true, false, 1 },
        { PlayEvent::LayerDropped, true, false, 1 },
        { static_cast<PlayEvent>(42), false, false, 1 },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.event));
        display.forget();
        view.onPlayEvent(*play, c.event, 0);
        EXPECT_TRUE(display.compiled.empty()) << "events make no OpenGL call";
        EXPECT_EQ(display.redisplays, c.redisplays);
        view.prepare(*context);
        std::vector<unsigned> expected;
        if (c.gridRecompiled)
            expected.push_back(grid);
        if (c.pieceRecompiled)
            expected.push_back(piece);
        EXPECT_EQ(display.compiled, expected);
    }

    // attach may come from a thread without the rendering context: the next
    // draw recompiles both of the field's lists.
    display.forget();
    view.attach(*play);
    EXPECT_TRUE(display.compiled.empty());
    view.prepare(*context);
    EXPECT_EQ(display.compiled, (std::vector<unsigned> { grid, piece }));

    // The lists go with the context, and only then.
    EXPECT_TRUE(display.deleted.empty());
    context.reset();
    std::sort(display.deleted.begin(), display.deleted.end());
    EXPECT_EQ(display.deleted, (std::vector<unsigned> { 1, 2, 3 }));
}

TEST_F(SceneLists, WithoutListNamesTheContentIsLeftToDrawDirectly)
{
    display.makeLists = false;
    RenderContext context(display);
    view.onPlayEvent(*play, PlayEvent::PieceLanded, 0);
    view.prepare(context);
    EXPECT_TRUE(display.compiled.empty());
    EXPECT_EQ(context.liveObjects(), 0u);
    EXPECT_EQ(display.redisplays, 1);

    // Once names come back, the next content to change gets one.
    display.makeLists = true;
    view.onPlayEvent(*play, PlayEvent::PieceMoved, 0);
    view.prepare(context);
    EXPECT_EQ(display.compiled, (std::vector<unsigned> { 1 }));
    EXPECT_EQ(context.liveObjects(), 1u);
}

TEST_F(SceneLists, LayerClearingStartsTwoEffectsQuietlyAndStartedDropsThemAll)
{
    RenderContext context(display);
    view.prepare(context);
    display.forget();
    view.onPlayEvent(*play, PlayEvent::LayerClearing, 0);
    view.onPlayEvent(*play, PlayEvent::LayerClearing, 1);
    EXPECT_EQ(view.effects().size(), 4u);
    EXPECT_EQ(display.redisplays, 0);
    view.prepare(context);
    EXPECT_TRUE(display.compiled.empty());

    view.stepEffects();
    EXPECT_EQ(display.redisplays, 1);

    play->start(); // the view hears Started as a listener
    EXPECT_TRUE(view.effects().empty());
    view.prepare(context);
    EXPECT_FALSE(display.compiled.empty());

    display.forget();
    view.stepEffects(); // nothing running: no redisplay
    EXPECT_EQ(display.redisplays, 0);
}

TEST_F(SceneMoves, KeysMoveAndTurnThePieceAlongTheAxisTheCameraFaces)
{
    play->start();
    play->advance(); // the first piece enters
    const PieceDef* piece = play->activePiece();
    ASSERT_NE(piece, nullptr);
    const CellPos start = play->piecePosition();

    Camera camera = view.camera();
    camera.yaw = 100;
    camera.pitch = -120;
    view.cameraControl().setCamera(camera);
    ASSERT_EQ(view.viewSector(), 7);
    view.moveRelative(RelativeDirection::Forward);
    EXPECT_EQ(play->piecePosition().x, start.x - 1);
    view.moveRelative(RelativeDirection::Left);
    EXPECT_EQ(play->piecePosition().y, start.y + 1);

    camera.yaw = 34;
    camera.pitch = -38;
    view.cameraControl().setCamera(camera);
    view.moveRelative(RelativeDirection::Back);
    EXPECT_EQ(play->piecePosition().y, start.y);

    const Orientation before = play->activePiece()->orientation;
    view.turnRelative(TurnAxis::Vertical);
    EXPECT_EQ(play->activePiece()->orientation, turnZ(before));
}
