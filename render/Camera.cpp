#include "Camera.h"

#include <algorithm>
#include <cctype>
#include <cmath>

namespace cubrava {

namespace {

constexpr double Pi = 3.14159265358979323846;

} // namespace

std::uint32_t cameraMotionBit(unsigned char key)
{
    switch (std::toupper(key)) {
    case 'G':
        return CameraMotion::ZoomIn;
    case 'A':
        return CameraMotion::ZoomOut;
    case 'F':
        return CameraMotion::YawDown;
    case 'S':
        return CameraMotion::YawUp;
    case 'C':
        return CameraMotion::PitchDown;
    case 'E':
        return CameraMotion::PitchUp;
    case 'W':
        return CameraMotion::Lower;
    case 'X':
        return CameraMotion::Raise;
    default:
        return 0;
    }
}

CameraLimits CameraLimits::forPit(int width, int depth, int height)
{
    CameraLimits limits;
    limits.width = width;
    limits.depth = depth;
    limits.height = height;
    limits.minHeight = -height * 0.5;
    limits.maxHeight = height * 0.5;
    limits.bob = height * 0.3;
    limits.maxDistance = 1.1 * std::max({ width, depth, height });
    limits.halfX = width * 0.5;
    limits.halfY = depth * 0.5;
    limits.halfH = height * 0.5;
    return limits;
}

void Camera::reset(const CameraLimits& limits)
{
    distance = 0.7 * limits.maxDistance;
    yaw = 34.0;
    pitch = -38.0;
    topView = false;
    heightOffset = limits.minHeight * 0.25;
}

bool Camera::step(std::uint32_t motion, const CameraLimits& limits)
{
    bool changed = false;

    if ((motion & CameraMotion::ZoomIn) && distance != 0.0) {
        distance = std::max(0.0, distance - MotionStep);
        changed = true;
    } else if ((motion & CameraMotion::ZoomOut) && distance != limits.maxDistance) {
        distance = std::min(limits.maxDistance, distance + MotionStep);
        changed = true;
    }

    if (motion & CameraMotion::YawUp) {
        yaw += AngleStep;
        if (yaw >= 360.0)
            yaw -= 360.0;
        changed = true;
    } else if (motion & CameraMotion::YawDown) {
        yaw -= AngleStep;
        if (yaw < 0.0)
            yaw += 360.0;
        changed = true;
    }

    if ((motion & CameraMotion::PitchDown) && pitch != -180.0) {
        pitch = std::max(-180.0, pitch - AngleStep);
        changed = true;
    } else if ((motion & CameraMotion::PitchUp) && pitch != 0.0) {
        pitch = std::min(0.0, pitch + AngleStep);
        changed = true;
    }

    if ((motion & CameraMotion::Lower) && heightOffset > limits.minHeight) {
        heightOffset = std::max(limits.minHeight, heightOffset - MotionStep);
        changed = true;
    } else if ((motion & CameraMotion::Raise) && heightOffset < limits.maxHeight) {
        heightOffset = std::min(limits.maxHeight, heightOffset + MotionStep);
        changed = true;
    }
    return changed;
}

bool Camera::turnBy(int dx, int dy)
{
    constexpr double DegreesPerPixel = AngleStep * (1.0 / 15.0);
    bool changed = false;
    if (dx != 0) {
        double turned = std::fmod(yaw + dx * DegreesPerPixel, 360.0);
        if (turned < 0.0)
            turned += 360.0;
        // fmod of a tiny negative value can round up to exactly 360.
        if (turned >= 360.0)
            turned = 0.0;
        changed = changed || turned != yaw;
        yaw = turned;
    }
    if (dy != 0) {
        double tilted = std::clamp(pitch + dy * DegreesPerPixel, -180.0, 0.0);
        changed = changed || tilted != pitch;
        pitch = tilted;
    }
    return changed;
}

double Camera::liftZ(const CameraLimits& limits) const
{
    return heightOffset - limits.halfH - std::cos(pitch * Pi / 180.0) * limits.bob;
}

Frustum sceneFrustum(int viewWidth, int viewHeight, const CameraLimits& limits)
{
    // A view squeezed to nothing keeps a square aspect rather than divide by zero.
    float aspect
        = viewWidth > 0 && viewHeight > 0 ? static_cast<float>(viewWidth) / static_cast<float>(viewHeight) : 1.0f;
    return { -0.7 * aspect, 0.7 * aspect, -0.7, 0.7, 1.0, 2.0 * limits.maxDistance };
}

} // namespace cubrava
