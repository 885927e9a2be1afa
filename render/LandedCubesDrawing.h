#pragma once

#include <cstdint>

namespace cubrava {

class Pit;
class RenderContext;

// How the landed cubes reach the screen: after the grid, with the camera
// applied and the scene's lights placed. It enables the state it needs and
// disables it again. The programs draw them as a LandedBatch; the equality
// tests draw them cube by cube to compare.
class LandedCubesDrawing {
public:
    virtual ~LandedCubesDrawing() = default;

    // `version` moves whenever the landed cubes change.
    virtual void draw(RenderContext& context, const Pit& pit, std::uint64_t version) = 0;
};

} // namespace cubrava
