#pragma once

#include "render/ContextKey.h"
#include "render/LandedCubesDrawing.h"

#include <cstdint>

namespace cubrava {

class Pit;
class RenderContext;

// The landed cubes drawn one by one with drawCube, in a display list kept in
// the context as the scene's own lists are: the picture the programs' batch
// must match.
class OneByOneLandedCubes : public LandedCubesDrawing {
public:
    void draw(RenderContext& context, const Pit& pit, std::uint64_t version) override;

private:
    ContextKey key_;
};

// Every landed cube with drawCube, in the lights the caller has on, directly.
void drawLandedCubesOneByOne(RenderContext& context, const Pit& pit);

} // namespace cubrava
