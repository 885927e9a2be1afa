#pragma once

#include "Selection.h"
#include "data/Material.h"

namespace cubrava {

class PlayField;

// The edited layer: every cell under its pick name, an occupied one in its
// own material with depth writes on, an empty one as a translucent ghost with
// depth writes off; the hovered cell brightest, selected ones brighter. The
// caller enables blending; depth writes are on again at the end. Picking
// draws the same cells for their names.
void drawEditLayer(const PlayField& play, int layer, Material& ghost, int hovered, const Selection& selection);

// The cubes of every other layer of the pit, faint and pale. Depth writes off.
void drawFaintLayers(const PlayField& play, int layer);

} // namespace cubrava
