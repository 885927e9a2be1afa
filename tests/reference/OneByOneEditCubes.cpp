#include "OneByOneEditCubes.h"

#include "OneByOneLandedCubes.h"
#include "editor/view/EditDrawing.h"
#include "render/CubeDrawing.h"

#include <GL/gl.h>

namespace cubrava {

void OneByOneEditCubes::drawEditMode(RenderContext& context, const Pit& pit, std::uint64_t, int layer,
    const Material& ghost, int hovered, const Selection& selection, const ViewRect&)
{
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    forEachEditCell(pit, layer, hovered, selection,
        [&](int x, int y, int, const Material* material, Orientation orientation, float brighten) {
            if (material) {
                glDepthMask(GL_TRUE);
                drawCube(context, *material, x, y, layer, orientation, 1.0f, brighten);
            } else {
                glDepthMask(GL_FALSE);
                drawCube(context, ghost, x, y, layer, 0, EditLook::GhostAlpha, brighten);
            }
        });
    glDepthMask(GL_FALSE);
    for (int z = 0; z < pit.pitHeight(); ++z) {
        if (z == layer)
            continue;
        forEachCubeOfLayer(pit, z, [&](const Material& material, int x, int y, Orientation orientation) {
            drawCube(context, material, x, y, z, orientation, EditLook::FaintAlpha, EditLook::FaintBrighten);
        });
    }
    glDisable(GL_BLEND);
    glDepthMask(GL_TRUE);
}

void OneByOneEditCubes::drawCameraMode(RenderContext& context, const Pit& pit, std::uint64_t)
{
    drawLandedCubesOneByOne(context, pit);
}

} // namespace cubrava
