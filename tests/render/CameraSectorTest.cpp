#include "render/ViewSector.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace cubrava;

namespace {

constexpr double Pi = 3.14159265358979323846;

Camera looking(double yaw, double pitch)
{
    Camera camera;
    camera.yaw = yaw;
    camera.pitch = pitch;
    return camera;
}

struct Step {
    int dx, dy;
};

Step stepOf(MoveKind kind)
{
    switch (kind) {
    case MoveKind::XPlus:
        return { 1, 0 };
    case MoveKind::XMinus:
        return { -1, 0 };
    case MoveKind::YPlus:
        return { 0, 1 };
    case MoveKind::YMinus:
        return { 0, -1 };
    default:
        return { 0, 0 };
    }
}

// A floor direction turned by the camera's yaw, in screen terms: x to the
// right, y up the screen (down it when the camera has tipped past vertical).
void onScreen(const Camera& camera, Step step, double& right, double& up)
{
    const double yaw = camera.yaw * Pi / 180;
    const double tipped = std::cos(camera.pitch * Pi / 180) < 0 ? -1.0 : 1.0;
    right = std::cos(yaw) * step.dx - std::sin(yaw) * step.dy;
    up = tipped * (std::sin(yaw) * step.dx + std::cos(yaw) * step.dy);
}

} // namespace

TEST(ViewSector, BoundariesOfYawAndPitch)
{
    EXPECT_EQ(viewSector(looking(0, -38)), 0);
    EXPECT_EQ(viewSector(looking(45, -38)), 0);
    EXPECT_EQ(viewSector(looking(45.5, -38)), 3);
    EXPECT_EQ(viewSector(looking(135, -38)), 3);
    EXPECT_EQ(viewSector(looking(135.5, -38)), 5);
    EXPECT_EQ(viewSector(looking(225, -38)), 5);
    EXPECT_EQ(viewSector(looking(225.5, -38)), 6);
    EXPECT_EQ(viewSector(looking(315, -38)), 6);
    EXPECT_EQ(viewSector(looking(315.5, -38)), 0);

    // -90 itself still counts as seen from above.
    EXPECT_EQ(viewSector(looking(0, -90)), 0);
    EXPECT_EQ(viewSector(looking(0, -90.5)), 4);
    EXPECT_EQ(viewSector(looking(100, -90)), 3);
    EXPECT_EQ(viewSector(looking(100, -120)), 7);
    EXPECT_EQ(viewSector(looking(180, -120)), 1);
    EXPECT_EQ(viewSector(looking(300, -120)), 2);

    Camera top = looking(100, -120);
    top.topView = true;
    EXPECT_EQ(viewSector(top), 0);
}

TEST(ViewSector, YawHundredPitchMinusHundredTwentyMovesForwardAlongXMinusWithMarkerBeyondXZero)
{
    const int sector = viewSector(looking(100, -120));
    EXPECT_EQ(relativeMove(sector, RelativeDirection::Forward), MoveKind::XMinus);
    EXPECT_EQ(relativeMove(sector, RelativeDirection::Back), MoveKind::XPlus);
    EXPECT_EQ(relativeMove(sector, RelativeDirection::Left), MoveKind::YPlus);
    EXPECT_EQ(relativeMove(sector, RelativeDirection::Right), MoveKind::YMinus);

    const MarkerPlacement at = markerPlacement(sector, 6, 4);
    EXPECT_EQ(at.rotationDegrees, 90.0f);
}

// The tables agree with what the player sees: forward goes up the screen,
// right goes right, whatever way the camera is turned or tipped over.
TEST(ViewSector, RelativeMovesFollowTheScreenForEveryCameraDirection)
{
    for (double yaw = 5; yaw < 360; yaw += 10) {
        for (double pitch : { -10.0, -60.0, -89.0, -91.0, -130.0, -175.0 }) {
            const Camera camera = looking(yaw, pitch);
            const int sector = viewSector(camera);
            double right, up;
            // Each key takes the pit axis nearest to its screen direction.
            onScreen(camera, stepOf(*relativeMove(sector, RelativeDirection::Forward)), right, up);
            EXPECT_GT(up, std::fabs(right)) << "forward, yaw " << yaw << " pitch " << pitch;
            onScreen(camera, stepOf(*relativeMove(sector, RelativeDirection::Back)), right, up);
            EXPECT_GT(-up, std::fabs(right)) << "back, yaw " << yaw << " pitch " << pitch;
            onScreen(camera, stepOf(*relativeMove(sector, RelativeDirection::Right)), right, up);
            EXPECT_GT(right, std::fabs(up)) << "right, yaw " << yaw << " pitch " << pitch;
            onScreen(camera, stepOf(*relativeMove(sector, RelativeDirection::Left)), right, up);
            EXPECT_GT(-right, std::fabs(up)) << "left, yaw " << yaw << " pitch " << pitch;
        }
    }
}

TEST(ViewSector, TurnsAreAboutTheScreenAxes)
{
    for (int sector = 0; sector < 8; ++sector) {
        // The left-right turn tips the piece towards the viewer.
        const MoveKind left = *relativeMove(sector, RelativeDirection::Left);
        const bool leftIsX = left == MoveKind::XPlus || left == MoveKind::XMinus;
        EXPECT_EQ(relativeTurn(sector, TurnAxis::LeftRight), leftIsX ? MoveKind::RotateX : MoveKind::RotateY) << sector;
        EXPECT_EQ(relativeTurn(sector, TurnAxis::FrontBack), leftIsX ? MoveKind::RotateY : MoveKind::RotateX) << sector;
        EXPECT_EQ(relativeTurn(sector, TurnAxis::Vertical), MoveKind::RotateZ) << sector;
    }
    EXPECT_FALSE(relativeTurn(8, TurnAxis::LeftRight));
    EXPECT_FALSE(relativeMove(-1, RelativeDirection::Forward));
}

// The marker stands 0.2 outside the wall that forward heads for, centred
// along it, and points the way forward moves.
TEST(ForwardMarker, StandsBeyondTheWallAheadAndPointsForward)
{
    const int width = 6, depth = 4;
    for (int sector = 0; sector < 8; ++sector) {
        const MarkerPlacement at = markerPlacement(sector, width, depth);
        const double a = at.rotationDegrees * Pi / 180;
        auto world = [&](double lx, double ly, double& wx, double& wy) {
            lx += at.x;
            ly += at.y;
            wx = std::cos(a) * lx - std::sin(a) * ly;
            wy = std::sin(a) * lx + std::cos(a) * ly;
        };
        // Middle of the arrowhead's base edge, and its tip.
        double baseX, baseY, tipX, tipY;
        world(0.3, 0.0, baseX, baseY);
        world(0.3, 0.5196, tipX, tipY);

        const Step forward = stepOf(*relativeMove(sector, RelativeDirection::Forward));
        EXPECT_NEAR((tipX - baseX) / 0.5196, forward.dx, 1e-5) << sector;
        EXPECT_NEAR((tipY - baseY) / 0.5196, forward.dy, 1e-5) << sector;
        if (forward.dx != 0) {
            EXPECT_NEAR(baseX, forward.dx > 0 ? width + 0.2 : -0.2, 1e-5) << sector;
            EXPECT_NEAR(baseY, depth / 2.0, 1e-5) << sector;
        } else {
            EXPECT_NEAR(baseY, forward.dy > 0 ? depth + 0.2 : -0.2, 1e-5) << sector;
            EXPECT_NEAR(baseX, width / 2.0, 1e-5) << sector;
        }
        EXPECT_NEAR(at.z, (1 - 0.5196) / 2, 1e-4);
    }
}
