#pragma once

#include "EditCubes.h"
#include "Selection.h"
#include "data/Material.h"
#include "render/CubeSequence.h"
#include "render/LandedBatch.h"
#include "render/OverlayImage.h"
#include "render/ViewRect.h"

#include <cstdint>
#include <vector>

namespace cubrava {

class Pit;

// The editor view's cubes, drawn from buffers the view thread keeps instead
// of cube by cube: the picture the cubes drawn one by one make.
//
// Edit mode: the edited layer's cubes go in their drawing order, a call per
// run. The faint cubes of the other layers, blended over it, depend only on
// the cells, the layer, the camera and the depth the grid and the layer's
// solid cubes leave, not on the hovered or selected cells: they are drawn
// into an OverlayImage when one of those changes and laid over the frames
// after it. (In edit mode the camera stays, so that is seldom.)
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

private:
    struct FaintKey {
        std::uint64_t cells = 0;
        std::uint64_t textures = 0;
        int layer = -1;
        ViewRect viewport;
        float modelview[16] = {};
        float projection[16] = {};
    };
    struct LayerKey {
        std::uint64_t cells = 0;
        int layer = -1;
        int hovered = -1;
        Selection selection;
    };

    void gatherFaint(const Pit& pit, std::uint64_t cells);
    void gatherLayer(const Pit& pit, const LayerKey& key, const Material& ghost);
    void drawFaint(RenderContext& context, int layer);
    FaintKey faintKeyNow(std::uint64_t cells, int layer, const ViewRect& viewport) const;

    // Every cube of the pit, bottom layer first, faint; where each layer starts.
    CubeSequence faint_;
    std::vector<std::size_t> layerStarts_;
    std::uint64_t faintCells_ = 0;
    bool faintBuilt_ = false;
    // The edited layer's cells, in the order the view draws them.
    CubeSequence layer_;
    LayerKey layerKey_;
    bool layerBuilt_ = false;
    // The faint cubes over the edited layer, and what they were drawn for.
    OverlayImage overlay_;
    FaintKey overlayKey_;
    // Camera mode.
    LandedBatch landed_;
    // Counts the textures that came late, each changing the faint picture.
    std::uint64_t textures_ = 0;
};

} // namespace cubrava
