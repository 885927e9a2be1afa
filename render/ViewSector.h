#pragma once

#include "Camera.h"
#include "model/PlayEvents.h"

#include <optional>

namespace cubrava {

// Which way the camera looks at the pit, 0 to 7: it decides which pit axis the
// screen-relative direction and turn keys act on.
int viewSector(const Camera& camera);

// Screen-relative directions: 0 forward, 1 back, 2 left, 3 right.
std::optional<MoveKind> relativeMove(int sector, int direction);

// Screen-relative turn kinds 0, 1 and 2.
std::optional<MoveKind> relativeTurn(int sector, int kind);

// Where the forward marker stands for a sector: rotated about z by
// rotationDegrees first, then translated, so it sits just outside the wall
// ahead of the viewer and points away from the pit.
struct MarkerPlacement {
    float rotationDegrees;
    float x, y, z;
};
MarkerPlacement markerPlacement(int sector, int pitWidth, int pitDepth);

} // namespace cubrava
