#include "ViewSector.h"

namespace cubrava {

namespace {

// Lifts each arrowhead to the middle of its layer: (1 - 0.3 * sqrt(3)) / 2.
constexpr float MarkerLift = 0.2402f;

} // namespace

int viewSector(const Camera& camera)
{
    if (camera.topView)
        return 0;
    const double yaw = camera.yaw;
    const bool below = camera.pitch < -90.0;
    if (yaw <= 45.0 || yaw > 315.0)
        return below ? 4 : 0;
    if (yaw <= 135.0)
        return below ? 7 : 3;
    if (yaw <= 225.0)
        return below ? 1 : 5;
    return below ? 2 : 6;
}

std::optional<MoveKind> relativeMove(int sector, RelativeDirection direction)
{
    using M = MoveKind;
    // Rows: sectors; columns: forward, back, left, right, as RelativeDirection counts them.
    static const MoveKind table[8][4] = {
        { M::YPlus, M::YMinus, M::XMinus, M::XPlus },
        { M::YPlus, M::YMinus, M::XPlus, M::XMinus },
        { M::XPlus, M::XMinus, M::YMinus, M::YPlus },
        { M::XPlus, M::XMinus, M::YPlus, M::YMinus },
        { M::YMinus, M::YPlus, M::XMinus, M::XPlus },
        { M::YMinus, M::YPlus, M::XPlus, M::XMinus },
        { M::XMinus, M::XPlus, M::YMinus, M::YPlus },
        { M::XMinus, M::XPlus, M::YPlus, M::YMinus },
    };
    if (sector < 0 || sector > 7)
        return std::nullopt;
    return table[sector][static_cast<int>(direction)];
}

std::optional<MoveKind> relativeTurn(int sector, TurnAxis axis)
{
    if (sector < 0 || sector > 7)
        return std::nullopt;
    // Sectors 2, 3, 6 and 7 look along x, the others along y.
    const bool alongX = (sector & 2) != 0;
    switch (axis) {
    case TurnAxis::LeftRight:
        return alongX ? MoveKind::RotateY : MoveKind::RotateX;
    case TurnAxis::Vertical:
        return MoveKind::RotateZ;
    case TurnAxis::FrontBack:
        return alongX ? MoveKind::RotateX : MoveKind::RotateY;
    }
    return std::nullopt;
}

MarkerPlacement markerPlacement(int sector, int pitWidth, int pitDepth)
{
    const float x = static_cast<float>(pitWidth);
    const float y = static_cast<float>(pitDepth);
    switch (sector) {
    case 2:
    case 3:
        return { -90.0f, -y / 2 - 0.3f, x + 0.2f, MarkerLift };
    case 4:
    case 5:
        return { 180.0f, -x / 2 - 0.3f, 0.2f, MarkerLift };
    case 6:
    case 7:
        return { 90.0f, y / 2 - 0.3f, 0.2f, MarkerLift };
    default:
        return { 0.0f, x / 2 - 0.3f, y + 0.2f, MarkerLift };
    }
}

} // namespace cubrava
