#pragma once

#include "ContextKey.h"
#include "ViewRect.h"

#include <functional>

namespace cubrava {

class RenderContext;

// What a translucent pass does to each pixel, kept as an image that later
// frames lay over their picture in one quad instead of drawing the pass.
//
// A pass blended source alpha over one minus source alpha, with depth writes
// off, turns each pixel's colour c into A * c + B, where A and B depend only
// on the fragments that pass the depth test. Drawn once off screen over
// black, with the alpha channel starting at 1 and multiplied by one minus
// each fragment's alpha, the image holds B in its colour and A in its alpha;
// blended with source factor 1 and destination factor source alpha it gives
// what the pass would have given over any picture with the same depth.
// Only the part of the window where the pass's geometry can fall is laid
// over, and in it only the pixels the pass changed.
class OverlayImage {
public:
    OverlayImage() = default;
    OverlayImage(const OverlayImage&) = delete;
    OverlayImage& operator=(const OverlayImage&) = delete;

    // Draws the pass into the image, off screen, in the current transforms
    // and the given viewport: first `depth`, the drawing the pass is depth
    // tested against, with colour writes off; then `pass` with blending on.
    // The pass draws within the box from `low` to `high`. False when the
    // renderer draws nothing off screen; the image is then empty and apply()
    // does nothing. The image and its framebuffer are the context's.
    bool record(RenderContext& context, const ViewRect& viewport, const float low[3], const float high[3],
        const std::function<void()>& depth, const std::function<void()>& pass);
    // Whether the context holds a recorded image.
    bool recorded(RenderContext& context) const;

    // Lays the image over the current framebuffer in the viewport it was recorded in.
    void apply(RenderContext& context) const;

private:
    ContextKey key_;
    ViewRect viewport_;
    // Where the box lies in the window.
    ViewRect area_;
};

} // namespace cubrava
