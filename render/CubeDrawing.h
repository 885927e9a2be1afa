#pragma once

#include "data/Material.h"
#include "data/Orientation.h"

namespace cubrava {

class RenderContext;

// Draws one chamfered unit cube in cell (x, y, z), turned to its orientation,
// in the material's colour plus brighten on every channel, at the given alpha,
// textured with `texture` (0: untextured). Lighting, blending and depth state
// are the caller's.
void drawCube(const Material& material, unsigned texture, int x, int y, int z, Orientation orientation, float alpha,
    float brighten);

// The same with the material's own texture, found by name in the context.
// While a display list is being compiled a texture not loaded yet stays out
// (see prepareTexture).
void drawCube(RenderContext& context, const Material& material, int x, int y, int z, Orientation orientation,
    float alpha, float brighten);

// Loads the material's texture into the context if it has one. Call it before
// compiling a display list: a texture made while a list is being compiled
// would be recorded into the list instead of made.
void prepareTexture(RenderContext& context, const Material& material);

} // namespace cubrava
