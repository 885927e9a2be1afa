#include "OneByOneLandedCubes.h"

#include "model/Pit.h"
#include "render/CubeDrawing.h"
#include "render/PitDrawing.h"
#include "render/RenderContext.h"

#include <GL/gl.h>

namespace cubrava {

namespace {

struct KeptCubes {
    KeptList list;
};

void drawLitCubes(RenderContext& context, const Pit& pit)
{
    glEnable(GL_DEPTH_TEST);
    enableCubeLighting();
    drawLandedCubesOneByOne(context, pit);
    disableCubeLighting();
    glDisable(GL_DEPTH_TEST);
}

} // namespace

void drawLandedCubesOneByOne(RenderContext& context, const Pit& pit)
{
    forEachLandedCube(pit, [&context](const Material& material, int x, int y, int z, Orientation orientation) {
        drawCube(context, material, x, y, z, orientation, 1.0f, 0.0f);
    });
}

void OneByOneLandedCubes::draw(RenderContext& context, const Pit& pit, std::uint64_t version)
{
    KeptList& list = context.kept<KeptCubes>(key_).list;
    if (list.version != version) {
        // Loaded before the list is compiled, or it would record them.
        forEachLandedCube(pit,
            [&context](const Material& material, int, int, int, Orientation) { prepareTexture(context, material); });
        context.compile(list, version, [&context, &pit] { drawLitCubes(context, pit); });
    }
    context.call(list, [&context, &pit] { drawLitCubes(context, pit); });
}

} // namespace cubrava
