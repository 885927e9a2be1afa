#pragma once

#include "Selection.h"
#include "data/Material.h"
#include "render/CubeBatch.h"
#include "render/CubeSequence.h"
#include "render/OverlayImage.h"
#include "render/ViewRect.h"

#include <cstdint>
#include <vector>

namespace cubrava {

class Pit;

// The editor view's cubes, drawn from buffers the view thread keeps instead
// of cube by cube: the picture of drawEditLayer and drawFaintLayers in edit
// mode, and of drawLandedCubes in camera mode.
//
// Edit mode: the edited layer's cubes go in their drawing order, a call per
// run. The faint cubes of the other layers, blended over it, depend only on
// the cells, the layer, the camera and the depth the grid and the layer's
// solid cubes leave, not on the hovered or selected cells: they are drawn
// into an OverlayImage when one of those changes and laid over the frames
// after it. (In edit mode the camera stays, so that is seldom.)
//
// `cells` counts the changes of the pit (a new pit, a cell put or cleared);
// the buffers are rebuilt when it moves. View thread only: every call is
// OpenGL.
class ViewCubes {
public:
    // After the grid, with the camera applied and the lights on, as the
    // edit drawing expects. Blending and depth writes end as it leaves them.
    void drawEditMode(const Pit& pit, std::uint64_t cells, int layer, Material& ghost, int hovered,
        const Selection& selection, const ViewRect& viewport);
    // The landed cubes the game's way.
    void drawCameraMode(const Pit& pit, std::uint64_t cells);

    // The rendering context went away, and the buffers with it.
    void forget();

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
        std::uint64_t textures = 0;
        int layer = -1;
        int hovered = -1;
        Selection selection;
    };

    void bindLateTextures(const Pit& pit);
    void gatherFaint(const Pit& pit, std::uint64_t cells);
    void gatherLayer(const Pit& pit, const LayerKey& key, Material& ghost);
    void drawFaint(int layer);
    FaintKey faintKeyNow(std::uint64_t cells, int layer, const ViewRect& viewport) const;

    // Every cube of the pit, bottom layer first, faint; where each layer starts.
    CubeSequence faint_;
    std::vector<std::size_t> layerStarts_;
    std::uint64_t faintCells_ = 0, faintTextures_ = 0;
    bool faintBuilt_ = false;
    // The edited layer's cells, as drawEditLayer draws them.
    CubeSequence layer_;
    LayerKey layerKey_;
    bool layerBuilt_ = false;
    // The faint cubes over the edited layer, and what they were drawn for.
    OverlayImage overlay_;
    FaintKey overlayKey_;
    // Camera mode.
    CubeBatch landed_;
    std::uint64_t landedCells_ = 0, landedTextures_ = 0;
    bool landedBuilt_ = false;
    // Counts textures bound since the cubes were gathered: a texture whose
    // file could not be read is tried again every frame, as drawCube does.
    std::uint64_t textures_ = 0;
    bool texturesMissing_ = false;
};

} // namespace cubrava
