#pragma once

#include "EditCubes.h"
#include "FaintLayers.h"
#include "Selection.h"
#include "data/Material.h"
#include "render/CubeSequence.h"
#include "render/LandedBatch.h"
#include "render/ViewRect.h"

#include <cstdint>

namespace cubrava {

class Pit;

// The editor view's cubes, drawn from buffers the view thread keeps instead
// of cube by cube: the picture the cubes drawn one by one make.
//
// Edit mode: the edited layer's cubes go in their drawing order, a call per
// run, marking where its solid cubes show in the stencil buffer when the
// faint cubes of the other layers (FaintLayers) may use the marks.
//
// `cells` counts the changes of the play field (a new field, a cell put or
// cleared); the cubes are gathered again when it moves. A texture whose file
// could not be read is tried again every frame. View thread only: every call
// is OpenGL.
class ViewCubes : public EditCubes {
public:
    void drawEditMode(RenderContext& context, const Pit& pit, std::uint64_t cells, int layer, const Material& ghost,
        int hovered, const Selection& selection, const ViewRect& viewport) override;
    // The landed cubes the game's way.
    void drawCameraMode(RenderContext& context, const Pit& pit, std::uint64_t cells) override;

    // Whether the next layer change would want images not yet drawn.
    bool hasWorkAhead() const { return faint_.hasWorkAhead(); }
    // Draws a step of them, in the transforms of edit mode's frames; whether
    // more is left. Nothing once the cells changed: a frame comes first.
    bool prepareAhead(RenderContext& context, std::uint64_t cells, int layer, const ViewRect& viewport);

private:
    struct LayerKey {
        std::uint64_t cells = 0;
        int layer = -1;
        int hovered = -1;
        Selection selection;
    };

    void gatherLayer(const Pit& pit, const LayerKey& key, const Material& ghost);

    // The cubes of every layer, faint, and what they were gathered for.
    FaintLayers faint_;
    std::uint64_t faintCells_ = 0;
    bool faintBuilt_ = false;
    // The edited layer's cells, in the order the view draws them.
    CubeSequence layer_;
    LayerKey layerKey_;
    bool layerBuilt_ = false;
    // Camera mode.
    LandedBatch landed_;
};

} // namespace cubrava
