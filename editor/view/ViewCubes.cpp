#include "ViewCubes.h"

#include "EditDrawing.h"
#include "model/Pit.h"
#include "render/PitDrawing.h"

#include <GL/gl.h>

#include <cstring>

namespace cubrava {

namespace {

bool sameView(const ViewRect& a, const ViewRect& b)
{
    return a.x == b.x && a.y == b.y && a.width == b.width && a.height == b.height;
}

bool sameSelection(const Selection& a, const Selection& b)
{
    return a.x1 == b.x1 && a.y1 == b.y1 && a.x2 == b.x2 && a.y2 == b.y2;
}

} // namespace

void ViewCubes::gatherFaint(const Pit& pit, std::uint64_t cells)
{
    faint_.clear();
    layerStarts_.clear();
    for (int z = 0; z < pit.pitHeight(); ++z) {
        layerStarts_.push_back(faint_.size());
        forEachCubeOfLayer(pit, z, [&](const Material& material, int x, int y, Orientation orientation) {
            faint_.add(material, x, y, z, orientation, EditLook::FaintAlpha, EditLook::FaintBrighten, false);
        });
    }
    layerStarts_.push_back(faint_.size());
    faintCells_ = cells;
    faintBuilt_ = true;
}

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

void ViewCubes::drawFaint(RenderContext& context, int layer)
{
    const std::size_t layers = layerStarts_.size() - 1;
    if (layer < 0 || static_cast<std::size_t>(layer) >= layers) {
        faint_.draw(context);
        return;
    }
    faint_.draw(context, 0, layerStarts_[static_cast<std::size_t>(layer)]);
    faint_.draw(context, layerStarts_[static_cast<std::size_t>(layer) + 1], faint_.size());
}

ViewCubes::FaintKey ViewCubes::faintKeyNow(std::uint64_t cells, int layer, const ViewRect& viewport) const
{
    FaintKey key;
    key.cells = cells;
    key.textures = textures_;
    key.layer = layer;
    key.viewport = viewport;
    glGetFloatv(GL_MODELVIEW_MATRIX, key.modelview);
    glGetFloatv(GL_PROJECTION_MATRIX, key.projection);
    return key;
}

void ViewCubes::drawEditMode(RenderContext& context, const Pit& pit, std::uint64_t cells, int layer,
    const Material& ghost, int hovered, const Selection& selection, const ViewRect& viewport)
{
    // Both asked, whatever the first answers.
    const bool fainter = faint_.retryMissingTextures(context);
    if (layer_.retryMissingTextures(context) || fainter)
        ++textures_;
    if (!faintBuilt_ || faintCells_ != cells)
        gatherFaint(pit, cells);
    const LayerKey key { cells, layer, hovered, selection };
    if (!layerBuilt_ || layerKey_.cells != key.cells || layerKey_.layer != key.layer || layerKey_.hovered != key.hovered
        || !sameSelection(layerKey_.selection, key.selection))
        gatherLayer(pit, key, ghost);

    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    layer_.draw(context);

    const std::size_t faintCount = faint_.size()
        - (static_cast<std::size_t>(layer) + 1 < layerStarts_.size()
                ? layerStarts_[static_cast<std::size_t>(layer) + 1] - layerStarts_[static_cast<std::size_t>(layer)]
                : 0);
    if (faintCount > 0) {
        const FaintKey now = faintKeyNow(cells, layer, viewport);
        const bool current = overlay_.recorded(context) && overlayKey_.cells == now.cells
            && overlayKey_.textures == now.textures && overlayKey_.layer == now.layer
            && sameView(overlayKey_.viewport, now.viewport)
            && std::memcmp(overlayKey_.modelview, now.modelview, sizeof now.modelview) == 0
            && std::memcmp(overlayKey_.projection, now.projection, sizeof now.projection) == 0;
        if (!current) {
            // What the faint cubes are depth tested against: the grid, drawn
            // before the cubes, and the layer's solid cubes.
            const float low[3] = { 0.0f, 0.0f, 0.0f };
            const float high[3] = { static_cast<float>(pit.width()), static_cast<float>(pit.depth()),
                static_cast<float>(pit.pitHeight()) };
            const bool recorded = overlay_.record(
                context, viewport, low, high,
                [&] {
                    drawPitGrid(pit.width(), pit.depth(), pit.pitHeight());
                    layer_.draw(context);
                },
                [&] {
                    glDepthMask(GL_FALSE);
                    drawFaint(context, layer);
                });
            if (recorded)
                overlayKey_ = now;
        }
        if (overlay_.recorded(context)) {
            overlay_.apply(context);
        } else {
            glDepthMask(GL_FALSE);
            drawFaint(context, layer);
        }
    }
    glDisable(GL_BLEND);
    glDepthMask(GL_TRUE);
}

void ViewCubes::drawCameraMode(RenderContext& context, const Pit& pit, std::uint64_t cells)
{
    landed_.retryMissingTextures(context);
    landed_.draw(context, pit, cells);
}

} // namespace cubrava
