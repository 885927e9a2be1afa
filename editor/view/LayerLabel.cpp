#include "LayerLabel.h"

#include "data/FatalError.h"
#include "render/PixelTransforms.h"

#include <GL/gl.h>

namespace cubrava {

namespace {

constexpr int Points = 14;
constexpr int Margin = 8; // pixels from the window's edges

} // namespace

void LayerLabel::open(const std::string& fontFile)
{
    try {
        font_.open(fontFile);
        font_.setSize(Points);
    } catch (const FatalError&) {
        // An extra, not worth refusing the editor over.
    }
}

std::string LayerLabel::text(int layer, int layers)
{
    return "Layer " + std::to_string(layer + 1) + " of " + std::to_string(layers);
}

void LayerLabel::draw(RenderContext& context, const ViewRect& viewport, int layer, int layers) const
{
    if (!font_.hasSize() || viewport.width <= 0 || viewport.height <= 0)
        return;
    const PixelTransforms pixels(viewport);
    glTranslatef(static_cast<float>(Margin),
        static_cast<float>(viewport.height - Margin - font_.lineHeight() - font_.descender()), 0.0f);
    glColor3f(1.0f, 1.0f, 1.0f);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    font_.draw(context, text(layer, layers));
    glDisable(GL_BLEND);
}

} // namespace cubrava
