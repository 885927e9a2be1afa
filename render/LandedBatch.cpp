#include "LandedBatch.h"

#include "CubeBatch.h"
#include "ParticleArrays.h"
#include "PitDrawing.h"

#include <GL/gl.h>

namespace cubrava {

void LandedBatch::draw(RenderContext& context, const Pit& pit, std::uint64_t version)
{
    if (!gathered_ || version != version_) {
        batch_.clear();
        forEachLandedCube(pit, [this](const Material& material, int x, int y, int z, Orientation orientation) {
            batch_.add(material, x, y, z, orientation);
        });
        gathered_ = true;
        version_ = version;
    }
    if (batch_.cubeCount() == 0)
        return;
    float eye[3];
    currentEyePosition(eye);
    glEnable(GL_DEPTH_TEST);
    enableCubeLighting();
    batch_.draw(context, eye, nearPlaneReach());
    disableCubeLighting();
    glDisable(GL_DEPTH_TEST);
}

} // namespace cubrava
