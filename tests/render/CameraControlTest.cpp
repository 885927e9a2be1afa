#include "render/CameraControl.h"
#include "support/FakeClock.h"
#include "support/FakeDisplay.h"

#include <gtest/gtest.h>

using namespace cubrava;

namespace {

// The control alone, as a view without display lists (the editor's) uses it.
struct CameraControlTest : ::testing::Test {
    test::FakeDisplay window { 800, 600 };
    test::FakeClock clock;
    CameraControl control { window, clock };

    void SetUp() override { control.setPit(6, 4, 10); }
};

} // namespace

TEST_F(CameraControlTest, ANewPitResetsTheCameraButKeepsHeldMotionAndThePointerCentre)
{
    control.mouseMotion(10, 10); // takes the centre (400, 300)
    control.mouseMotion(400, 300); // the warp arriving
    control.keyDown('s');
    clock.advance(CameraControl::TickMs);
    ASSERT_NEAR(control.camera().yaw, 38.0, 1e-9);

    control.setPit(12, 3, 5);
    EXPECT_EQ(control.camera().yaw, 34.0);
    EXPECT_NEAR(control.camera().distance, 0.7 * 13.2, 1e-9);
    EXPECT_NEAR(control.limits().maxHeight, 2.5, 1e-9);
    EXPECT_EQ(control.motion(), CameraMotion::YawUp);
    clock.advance(CameraControl::TickMs);
    EXPECT_NEAR(control.camera().yaw, 36.0, 1e-9) << "the held key carries on over the new pit";

    control.keyUp('s');
    const int warps = window.warps;
    control.mouseMotion(415, 300); // turns from the old centre, not taken again
    EXPECT_NEAR(control.camera().yaw, 38.0, 1e-9);
    EXPECT_EQ(window.warps, warps + 1);
    EXPECT_EQ(window.lastWarpX, 400);
}

TEST_F(CameraControlTest, ClearingMotionStopsTheChainWithoutARedisplayReleasingAddsOne)
{
    control.keyDown('g');
    control.mouseButton(MouseButton::Left, ButtonState::Down);
    ASSERT_EQ(clock.pending(), 1u);
    window.forget();

    control.clearMotion();
    EXPECT_EQ(control.motion(), 0u);
    EXPECT_EQ(window.redisplays, 0);
    const double distance = control.camera().distance;
    clock.advance(CameraControl::TickMs);
    EXPECT_EQ(control.camera().distance, distance);
    EXPECT_EQ(clock.pending(), 0u);

    // A fresh press starts a fresh chain.
    control.keyDown('a');
    EXPECT_EQ(clock.pending(), 1u);
    control.releaseMotion();
    EXPECT_EQ(control.motion(), 0u);
    EXPECT_EQ(window.redisplays, 2); // the press's step, then the release
}

TEST_F(CameraControlTest, ATickArrivingAfterTheControlIsGoneDoesNothing)
{
    auto owned = std::make_unique<CameraControl>(window, clock);
    owned->setPit(6, 4, 10);
    owned->keyDown('x');
    ASSERT_EQ(clock.pending(), 1u);
    owned.reset();
    window.forget();
    clock.advance(CameraControl::TickMs);
    EXPECT_EQ(window.redisplays, 0);
    EXPECT_EQ(clock.pending(), 0u);
}
