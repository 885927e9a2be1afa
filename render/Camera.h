#pragma once

#include <cstdint>

namespace cubrava {

// Bits of the held camera motion; a bit stays set while its key or button is down.
namespace CameraMotion {
constexpr std::uint32_t ZoomIn = 0x01;
constexpr std::uint32_t ZoomOut = 0x02;
constexpr std::uint32_t YawDown = 0x04;
constexpr std::uint32_t YawUp = 0x08;
constexpr std::uint32_t PitchDown = 0x10;
constexpr std::uint32_t PitchUp = 0x20;
constexpr std::uint32_t Lower = 0x40;
constexpr std::uint32_t Raise = 0x80;
} // namespace CameraMotion

// The motion bit of a camera key (either case), 0 for any other key.
std::uint32_t cameraMotionBit(unsigned char key);

// How far the camera may go for one pit, fixed when a play field is attached.
struct CameraLimits {
    int width = 0; // X
    int depth = 0; // Y
    int height = 0; // H, the playable height
    double minHeight = 0.0;
    double maxHeight = 0.0;
    double bob = 0.0;
    double maxDistance = 0.0;
    double halfX = 0.0;
    double halfY = 0.0;
    double halfH = 0.0;

    static CameraLimits forPit(int width, int depth, int height);
};

// Where the scene camera stands. Angles are degrees.
struct Camera {
    static constexpr double MotionStep = 0.4; // distance and height per step
    static constexpr double AngleStep = 2.0; // degrees per step

    double yaw = 34.0; // [0, 360)
    double pitch = -38.0; // [-180, 0]
    double distance = 0.0;
    double heightOffset = 0.0;
    bool topView = false;

    // The starting view of a freshly attached pit.
    void reset(const CameraLimits& limits);

    // One step of held motion; whether anything changed.
    bool step(std::uint32_t motion, const CameraLimits& limits);

    // Mouse look by a pointer offset in pixels; whether anything changed.
    bool turnBy(int dx, int dy);

    // The last translation of the orbit transform along z: the camera's
    // height, bobbing with the pitch so a steep view keeps the pit in frame.
    double liftZ(const CameraLimits& limits) const;
};

// glFrustum bounds of the scene for a viewport of the given size.
struct Frustum {
    double left, right, bottom, top, zNear, zFar;
};
Frustum sceneFrustum(int viewWidth, int viewHeight, const CameraLimits& limits);

} // namespace cubrava
