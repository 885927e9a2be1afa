#pragma once

#include "editor/view/EditCubes.h"

namespace cubrava {

// The editing view's cubes drawn one by one with drawCube, every frame: the
// picture the view's kept buffers must match. Edit mode draws the edited
// layer's cells in order, an occupied one in its own material with depth
// writes on, an empty one as a translucent ghost with depth writes off; then
// the cubes of every other layer, faint and pale, with depth writes off.
class OneByOneEditCubes : public EditCubes {
public:
    void drawEditMode(RenderContext& context, const Pit& pit, std::uint64_t cells, int layer, const Material& ghost,
        int hovered, const Selection& selection, const ViewRect& viewport) override;
    void drawCameraMode(RenderContext& context, const Pit& pit, std::uint64_t cells) override;
};

} // namespace cubrava
