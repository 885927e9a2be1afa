#pragma once

#include "render/TextDrawing.h"

#include <string>

namespace cubrava {

// Text drawn glyph by glyph with glDrawPixels from the font's grey levels,
// on every draw: the picture the programs' glyph textures must match.
class PixelText : public TextDrawing {
public:
    void draw(RenderContext& context, const TextFont& font, const std::string& text) const override;
};

} // namespace cubrava
