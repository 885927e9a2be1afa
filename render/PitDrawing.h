#pragma once

#include "data/Material.h"
#include "data/Orientation.h"
#include "model/PlayField.h"

namespace cubrava {

class RenderContext;

// What the scene's display lists hold. Each runs with the camera transform
// applied and leaves the state it enabled disabled again.

// The static list: clears the window, then the grid and the lights.
void drawStaticContent(const Pit& pit);

// The piece list: the falling piece with its wall markers and landing ghost;
// nothing while no piece falls.
void drawPieceContent(RenderContext& context, const PlayField& play);

// The grey wire grid on the floor and the four walls, up to the rim.
void drawPitGrid(int width, int depth, int height);

// Shading, the colours of the two scene lights, the cubes' material and the
// ambient light: once for each new rendering context.
void initSceneLights();

// The two scene lights, fixed in pit coordinates under the current modelview.
void placeSceneLights();

// Lighting, colour material and the two scene lights, on for cubes and off
// again.
void enableCubeLighting();
void disableCubeLighting();

// Every landed cube, headroom included, layer by layer from the bottom:
// visit(material, x, y, z, orientation).
template <typename Visit> void forEachLandedCube(const Pit& pit, Visit visit)
{
    for (int z = 0; z < pit.gridHeight(); ++z) {
        if (pit.layerCount(z) == 0)
            continue;
        for (int x = 0; x < pit.width(); ++x) {
            for (int y = 0; y < pit.depth(); ++y) {
                const Cell* cell = pit.cellAt(
                    CellPos { static_cast<std::int8_t>(x), static_cast<std::int8_t>(y), static_cast<std::int8_t>(z) });
                if (cell && cell->material)
                    visit(*cell->material, x, y, z, cell->orientation);
            }
        }
    }
}

// Loads, outside any list compilation, the textures the piece list will need.
void preparePieceTextures(RenderContext& context, const PlayField& play);

} // namespace cubrava
