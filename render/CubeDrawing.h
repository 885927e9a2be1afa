#pragma once

#include "data/Material.h"
#include "data/Orientation.h"

namespace cubrava {

// Draws one chamfered unit cube in cell (x, y, z), turned to its orientation,
// in the material's colour plus brighten on every channel, at the given alpha,
// textured when the material has a texture. Lighting, blending and depth state
// are the caller's.
void drawCube(Material& material, int x, int y, int z, Orientation orientation, float alpha, float brighten);

// Binds the material's texture if it has a name but no handle (after the
// rendering context was recreated). Call it before compiling a display list:
// a texture created while a list is being compiled would be recorded into the
// list instead of made.
void ensureTexture(Material& material);

} // namespace cubrava
