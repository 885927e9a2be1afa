#pragma once

#include <cstdint>

namespace cubrava {

// One of the 24 rotations of a cube, 0 to 23. It does not change a piece's
// geometry (its block coordinates carry that); it turns textured cubes with
// their piece.
using Orientation = std::uint8_t;

constexpr int OrientationCount = 24;

Orientation turnX(Orientation o);
Orientation turnY(Orientation o);
Orientation turnZ(Orientation o);

// One step of the rotation applied before a cube of some orientation is
// drawn, about the cube's centre.
struct DrawRotation {
    float angle; // degrees
    float x, y, z; // axis
};

// The rotations for an orientation, in the order they are applied. count is
// 0, 1 or 2; an index outside 0..23 gives none.
struct DrawRotations {
    int count;
    DrawRotation steps[2];
};

DrawRotations drawRotations(Orientation o);

} // namespace cubrava
