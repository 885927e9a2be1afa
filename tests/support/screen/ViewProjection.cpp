#include "ViewProjection.h"

#include "render/Camera.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace cubrava::e2e {

// The orbit transform, then the frustum.
Point projectInView(const WindowInfo& window, int side, PitSize pit, double px, double py, double pz)
{
    const CameraLimits limits = CameraLimits::forPit(pit.x, pit.y, pit.z);
    Camera camera;
    camera.reset(limits);
    const double rad = 3.14159265358979323846 / 180.0;
    double x = px - limits.halfX, y = py - limits.halfY, z = pz + camera.liftZ(limits);
    const double yawX = x * std::cos(camera.yaw * rad) - y * std::sin(camera.yaw * rad);
    const double yawY = x * std::sin(camera.yaw * rad) + y * std::cos(camera.yaw * rad);
    x = yawX;
    y = yawY * std::cos(camera.pitch * rad) - z * std::sin(camera.pitch * rad);
    z = yawY * std::sin(camera.pitch * rad) + z * std::cos(camera.pitch * rad) - camera.distance;
    const Frustum f = sceneFrustum(side, side, limits);
    const double ndcX = f.zNear * x / -z / f.right;
    const double ndcY = f.zNear * y / -z / f.top;
    return { window.x + static_cast<int>((ndcX + 1) / 2 * side), window.y + static_cast<int>((1 - ndcY) / 2 * side) };
}

Point cellTop(const WindowInfo& window, int side, PitSize pit, int x, int y, int layer)
{
    return projectInView(window, side, pit, x + 0.5, y + 0.5, layer + 0.95);
}

int brightness(const Rgb& p)
{
    return (p.r + p.g + p.b) / 3;
}

Rgb patch(const ScreenShot& shot, Point at)
{
    std::vector<Rgb> values;
    for (int dy = -2; dy <= 2; ++dy)
        for (int dx = -2; dx <= 2; ++dx)
            values.push_back(shot.at(at.x + dx, at.y + dy));
    std::nth_element(values.begin(), values.begin() + 12, values.end(),
        [](const Rgb& a, const Rgb& b) { return brightness(a) < brightness(b); });
    return values[12];
}

} // namespace cubrava::e2e
