#include "ViewCubes.h"

#include "EditDrawing.h"
#include "model/Pit.h"
#include "render/PitDrawing.h"

#include <GL/gl.h>

namespace cubrava {

namespace {

bool sameSelection(const Selection& a, const Selection& b)
{
    return a.x1 == b.x1 && a.y1 == b.y1 && a.x2 == b.x2 && a.y2 == b.y2;
}

} // namespace

void ViewCubes::gatherLayer(const Pit& pit, const LayerKey& key, const Material& ghost)
{
    layer_.clear();
    forEachEditCell(pit, key.layer, key.hovered, key.selection,
        [&](int x, int y, int, const Material* material, Orientation orientation, float brighten) {
            if (material)
                layer_.add(*material, x, y, key.layer, orientation, 1.0f, brighten, true);
            else
                layer_.add(ghost, x, y, key.layer, 0, EditLook::GhostAlpha, brighten, false);
        });
    layerKey_ = key;
    layerBuilt_ = true;
}

void ViewCubes::drawEditMode(RenderContext& context, const Pit& pit, std::uint64_t cells, int layer,
    const Material& ghost, int hovered, const Selection& selection, const ViewRect& viewport)
{
    layer_.retryMissingTextures(context);
    faint_.retryMissingTextures(context);
    if (!faintBuilt_ || faintCells_ != cells) {
        faint_.gather(pit);
        faintCells_ = cells;
        faintBuilt_ = true;
    }
    const LayerKey key { cells, layer, hovered, selection };
    if (!layerBuilt_ || layerKey_.cells != key.cells || layerKey_.layer != key.layer || layerKey_.hovered != key.hovered
        || !sameSelection(layerKey_.selection, key.selection))
        gatherLayer(pit, key, ghost);

    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    const bool split = FaintLayers::splitView(pit);
    if (split) {
        // Where the solid cubes show: the stencil writes follow the depth writes.
        glEnable(GL_STENCIL_TEST);
        glStencilFunc(GL_ALWAYS, 1, 1);
        glStencilOp(GL_KEEP, GL_KEEP, GL_REPLACE);
    }
    layer_.draw(context);
    glDisable(GL_STENCIL_TEST);
    glStencilFunc(GL_ALWAYS, 0, ~0u);
    glStencilOp(GL_KEEP, GL_KEEP, GL_KEEP);

    faint_.draw(context, layer, viewport, split, [&] {
        drawPitGrid(pit.width(), pit.depth(), pit.pitHeight());
        layer_.draw(context);
    });
    glStencilFunc(GL_ALWAYS, 0, ~0u);
    glDisable(GL_BLEND);
    glDepthMask(GL_TRUE);
}

bool ViewCubes::prepareAhead(RenderContext& context, std::uint64_t cells, int layer, const ViewRect& viewport)
{
    if (!faintBuilt_ || faintCells_ != cells)
        return false;
    return faint_.prepareAhead(context, layer, viewport);
}

void ViewCubes::drawCameraMode(RenderContext& context, const Pit& pit, std::uint64_t cells)
{
    landed_.retryMissingTextures(context);
    landed_.draw(context, pit, cells);
}

} // namespace cubrava
