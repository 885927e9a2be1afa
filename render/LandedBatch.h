#pragma once

#include "CubeBatch.h"
#include "LandedCubesDrawing.h"

#include <cstdint>

namespace cubrava {

// The landed cubes gathered into a CubeBatch whenever they change, and the
// ones the eye can reach drawn from it every frame.
class LandedBatch : public LandedCubesDrawing {
public:
    void draw(RenderContext& context, const Pit& pit, std::uint64_t version) override;

    // Asks again for textures that could not be loaded; whether one came.
    bool retryMissingTextures(RenderContext& context) { return batch_.retryMissingTextures(context); }

private:
    CubeBatch batch_;
    bool gathered_ = false;
    std::uint64_t version_ = 0;
};

} // namespace cubrava
