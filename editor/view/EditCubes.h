#pragma once

#include "Selection.h"
#include "data/Material.h"
#include "render/ViewRect.h"

#include <cstdint>

namespace cubrava {

class Pit;
class RenderContext;

// How the editing view's cubes reach the screen: after the grid, with the
// camera applied and the lights on. The view draws them with its ViewCubes;
// the equality tests draw them cube by cube to compare.
class EditCubes {
public:
    virtual ~EditCubes() = default;

    // The edited layer's cells and, faint, the cubes of the other layers.
    // `cells` moves whenever the cells change. Blending is off and depth
    // writes on at the end.
    virtual void drawEditMode(RenderContext& context, const Pit& pit, std::uint64_t cells, int layer,
        const Material& ghost, int hovered, const Selection& selection, const ViewRect& viewport)
        = 0;
    // Every landed cube, as the game shows them.
    virtual void drawCameraMode(RenderContext& context, const Pit& pit, std::uint64_t cells) = 0;
};

} // namespace cubrava
