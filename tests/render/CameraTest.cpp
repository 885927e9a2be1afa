#include "render/Camera.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace cubrava;

namespace {

constexpr double Eps = 1e-9;

CameraLimits pit6x4x10()
{
    return CameraLimits::forPit(6, 4, 10);
}

} // namespace

TEST(CameraLimits, SixByFourByTenStartsAtSevenPointSevenAndMinusOnePointTwoFive)
{
    const CameraLimits limits = pit6x4x10();
    EXPECT_NEAR(limits.maxDistance, 11.0, Eps);
    EXPECT_NEAR(limits.minHeight, -5.0, Eps);
    EXPECT_NEAR(limits.maxHeight, 5.0, Eps);
    EXPECT_NEAR(limits.bob, 3.0, Eps);

    Camera camera;
    camera.yaw = 200;
    camera.pitch = -150;
    camera.topView = true;
    camera.reset(limits);
    EXPECT_NEAR(camera.distance, 7.7, Eps);
    EXPECT_NEAR(camera.heightOffset, -1.25, Eps);
    EXPECT_EQ(camera.yaw, 34.0);
    EXPECT_EQ(camera.pitch, -38.0);
    EXPECT_FALSE(camera.topView);

    // The largest side sets the reach, whichever axis it is on.
    EXPECT_NEAR(CameraLimits::forPit(12, 3, 5).maxDistance, 13.2, Eps);
    EXPECT_NEAR(CameraLimits::forPit(3, 9, 5).maxDistance, 9.9, Eps);
}

TEST(CameraStep, ZoomStopsAtBothEndsAndReportsNoChangeThere)
{
    const CameraLimits limits = pit6x4x10();
    Camera camera;
    camera.reset(limits);
    int steps = 0;
    while (camera.step(CameraMotion::ZoomIn, limits))
        ++steps;
    EXPECT_EQ(camera.distance, 0.0);
    EXPECT_EQ(steps, 20); // 7.7 / 0.4, the last one clamped

    while (camera.step(CameraMotion::ZoomOut, limits))
        ++steps;
    EXPECT_EQ(camera.distance, 11.0);
}

TEST(CameraStep, BothZoomKeysFallToZeroThenAlternate)
{
    const CameraLimits limits = pit6x4x10();
    Camera camera;
    camera.reset(limits);
    const std::uint32_t both = CameraMotion::ZoomIn | CameraMotion::ZoomOut;
    for (int i = 0; i < 20; ++i)
        ASSERT_TRUE(camera.step(both, limits));
    EXPECT_EQ(camera.distance, 0.0);
    for (int i = 0; i < 4; ++i) {
        ASSERT_TRUE(camera.step(both, limits));
        EXPECT_NEAR(camera.distance, 0.4, Eps);
        ASSERT_TRUE(camera.step(both, limits));
        EXPECT_EQ(camera.distance, 0.0);
    }
}

TEST(CameraStep, YawWrapsRoundAndPitchAndHeightClamp)
{
    const CameraLimits limits = pit6x4x10();
    Camera camera;
    camera.reset(limits);

    camera.yaw = 359;
    EXPECT_TRUE(camera.step(CameraMotion::YawUp, limits));
    EXPECT_NEAR(camera.yaw, 1.0, Eps);
    EXPECT_TRUE(camera.step(CameraMotion::YawDown, limits));
    EXPECT_NEAR(camera.yaw, 359.0, Eps);
    camera.yaw = 358;
    camera.step(CameraMotion::YawUp, limits);
    EXPECT_EQ(camera.yaw, 0.0); // reaching 360 wraps too

    camera.pitch = -179;
    EXPECT_TRUE(camera.step(CameraMotion::PitchDown, limits));
    EXPECT_EQ(camera.pitch, -180.0);
    EXPECT_FALSE(camera.step(CameraMotion::PitchDown, limits));
    camera.pitch = -1;
    EXPECT_TRUE(camera.step(CameraMotion::PitchUp, limits));
    EXPECT_EQ(camera.pitch, 0.0);
    EXPECT_FALSE(camera.step(CameraMotion::PitchUp, limits));

    camera.heightOffset = 4.9;
    EXPECT_TRUE(camera.step(CameraMotion::Raise, limits));
    EXPECT_EQ(camera.heightOffset, 5.0);
    EXPECT_FALSE(camera.step(CameraMotion::Raise, limits));
    camera.heightOffset = -4.9;
    EXPECT_TRUE(camera.step(CameraMotion::Lower, limits));
    EXPECT_EQ(camera.heightOffset, -5.0);
    EXPECT_FALSE(camera.step(CameraMotion::Lower, limits));

    // At a limit the opposite key of the pair still moves.
    EXPECT_TRUE(camera.step(CameraMotion::Lower | CameraMotion::Raise, limits));
    EXPECT_NEAR(camera.heightOffset, -4.6, Eps);
}

TEST(CameraStep, OneStepMovesEveryHeldAxisOnce)
{
    const CameraLimits limits = pit6x4x10();
    Camera camera;
    camera.reset(limits);
    camera.step(CameraMotion::ZoomOut | CameraMotion::YawDown | CameraMotion::PitchUp | CameraMotion::Raise, limits);
    EXPECT_NEAR(camera.distance, 8.1, Eps);
    EXPECT_NEAR(camera.yaw, 32.0, Eps);
    EXPECT_NEAR(camera.pitch, -36.0, Eps);
    EXPECT_NEAR(camera.heightOffset, -0.85, Eps);
}

TEST(CameraKeys, EightLettersInEitherCaseAndNothingElse)
{
    EXPECT_EQ(cameraMotionBit('g'), CameraMotion::ZoomIn);
    EXPECT_EQ(cameraMotionBit('A'), CameraMotion::ZoomOut);
    EXPECT_EQ(cameraMotionBit('f'), CameraMotion::YawDown);
    EXPECT_EQ(cameraMotionBit('S'), CameraMotion::YawUp);
    EXPECT_EQ(cameraMotionBit('c'), CameraMotion::PitchDown);
    EXPECT_EQ(cameraMotionBit('E'), CameraMotion::PitchUp);
    EXPECT_EQ(cameraMotionBit('w'), CameraMotion::Lower);
    EXPECT_EQ(cameraMotionBit('X'), CameraMotion::Raise);
    for (int key : { int('b'), int('B'), int('8'), int(' '), int('q'), 27, 0, 200 })
        EXPECT_EQ(cameraMotionBit(static_cast<unsigned char>(key)), 0u) << key;
}

TEST(CameraMouseLook, FifteenPixelsTurnTwoDegreesWithYawWrappedAndPitchClamped)
{
    Camera camera;
    camera.yaw = 1.0;
    camera.pitch = -38.0;
    EXPECT_TRUE(camera.turnBy(-30, 0));
    EXPECT_NEAR(camera.yaw, 357.0, 1e-6);
    EXPECT_FALSE(camera.turnBy(15 * 180 * 3, 0)); // three whole turns: back where it was
    EXPECT_NEAR(camera.yaw, 357.0, 1e-6);
    EXPECT_TRUE(camera.turnBy(45, 0));
    EXPECT_NEAR(camera.yaw, 3.0, 1e-6);

    EXPECT_TRUE(camera.turnBy(0, 15));
    EXPECT_NEAR(camera.pitch, -36.0, 1e-9);
    EXPECT_TRUE(camera.turnBy(0, 10000));
    EXPECT_EQ(camera.pitch, 0.0);
    EXPECT_FALSE(camera.turnBy(0, 5)); // already at the limit
    EXPECT_TRUE(camera.turnBy(0, -10000));
    EXPECT_EQ(camera.pitch, -180.0);
    EXPECT_FALSE(camera.turnBy(0, 0));
}

TEST(CameraTransform, HeightBobsWithPitchAndFrustumFollowsAspect)
{
    const CameraLimits limits = pit6x4x10();
    Camera camera;
    camera.reset(limits);
    camera.pitch = 0.0; // looking along the floor: full bob
    EXPECT_NEAR(camera.liftZ(limits), -1.25 - 5.0 - 3.0, 1e-9);
    camera.pitch = -90.0; // looking straight down: none
    EXPECT_NEAR(camera.liftZ(limits), -1.25 - 5.0, 1e-9);
    camera.pitch = -180.0;
    EXPECT_NEAR(camera.liftZ(limits), -1.25 - 5.0 + 3.0, 1e-9);

    Frustum square = sceneFrustum(768, 768, limits);
    EXPECT_NEAR(square.left, -0.7, 1e-6);
    EXPECT_NEAR(square.right, 0.7, 1e-6);
    EXPECT_NEAR(square.zFar, 22.0, 1e-9);
    Frustum wide = sceneFrustum(1000, 500, limits);
    EXPECT_NEAR(wide.right, 1.4, 1e-6);
    EXPECT_NEAR(wide.top, 0.7, 1e-9);
    Frustum squashed = sceneFrustum(100, 0, limits);
    EXPECT_TRUE(std::isfinite(squashed.left));
}
