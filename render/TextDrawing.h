#pragma once

#include "TextFont.h"

#include <string>

namespace cubrava {

class RenderContext;

// How lines of text reach the screen. This one draws them with TextFont::draw,
// as the programs do; the equality tests hand the panel and the status line
// another, to compare the same screens drawn another way.
class TextDrawing {
public:
    virtual ~TextDrawing() = default;

    virtual void draw(RenderContext& context, const TextFont& font, const std::string& text) const
    {
        font.draw(context, text);
    }
};

} // namespace cubrava
