#pragma once

#include "Camera.h"
#include "model/PlayEvents.h"

#include <cstdint>
#include <optional>

namespace cubrava {

// Which way the camera looks at the pit, 0 to 7: it decides which pit axis the
// screen-relative direction and turn keys act on.
int viewSector(const Camera& camera);

// Which way a piece moves, as seen from the camera.
enum class RelativeDirection : std::uint8_t { Forward, Back, Left, Right };

// The axis a piece turns about, as seen from the camera: the one across the
// screen (the piece tips towards the viewer), the pit's upright one, or the
// one that leads away from the viewer.
enum class TurnAxis : std::uint8_t { LeftRight, Vertical, FrontBack };

// The pit move for a sector 0 to 7; nothing for any other sector.
std::optional<MoveKind> relativeMove(int sector, RelativeDirection direction);
std::optional<MoveKind> relativeTurn(int sector, TurnAxis axis);

// Where the forward marker stands for a sector: rotated about z by
// rotationDegrees first, then translated, so it sits just outside the wall
// ahead of the viewer and points away from the pit.
struct MarkerPlacement {
    float rotationDegrees;
    float x, y, z;
};
MarkerPlacement markerPlacement(int sector, int pitWidth, int pitDepth);

} // namespace cubrava
