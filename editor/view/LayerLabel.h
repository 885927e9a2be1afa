#pragma once

#include "render/TextFont.h"
#include "render/ViewRect.h"

#include <string>

namespace cubrava {

class RenderContext;

// "Layer N of H" in the top left corner of the editing view, in the game's
// font, so the designer always knows which layer the edits go to.
class LayerLabel {
public:
    // The view thread, with the rendering context current. Without the font
    // file the view simply goes without the label.
    void open(const std::string& fontFile = FontFileName);

    // layer counts from 0; drawn over whatever the view holds.
    void draw(RenderContext& context, const ViewRect& viewport, int layer, int layers) const;

    static std::string text(int layer, int layers);

private:
    TextFont font_;
};

} // namespace cubrava
