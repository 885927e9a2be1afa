#pragma once

#include "ContextKey.h"
#include "ViewRect.h"

#include <functional>

namespace cubrava {

class OverlayCanvas;
class RenderContext;

// What translucent passes do to each pixel, kept as an image that later
// frames lay over their picture in one quad instead of drawing the passes.
//
// A pass blended source alpha over one minus source alpha, with depth writes
// off, turns each pixel's colour c into A * c + B, where A and B depend only
// on the fragments that pass the depth test. Drawn off screen over black,
// with the alpha channel starting at 1 and multiplied by one minus each
// fragment's alpha, the image holds B in its colour and A in its alpha;
// blended with source factor 1 and destination factor source alpha it gives
// what the pass would have given over any picture with the same depth. The
// same blending lays one image over another: the result holds the two maps
// one after the other. So an image can start as a copy of another, take more
// passes, and have another laid over it.
//
// Only the part of the window where the passes' geometry can fall is kept
// and laid over, and in it only the pixels the passes changed. The images
// are drawn in an OverlayCanvas; the texture is the context's.
class OverlayImage {
public:
    OverlayImage() = default;
    OverlayImage(const OverlayImage&) = delete;
    OverlayImage& operator=(const OverlayImage&) = delete;

    // Starts the image for `viewport` and the current transforms, where the
    // box from `low` to `high` shows: a copy of `from`, started for the same
    // view, or changing no pixel. False when the renderer draws nothing off
    // screen, or the box shows nowhere; the image is then empty and apply()
    // does nothing.
    bool start(RenderContext& context, OverlayCanvas& canvas, const ViewRect& viewport, const float low[3],
        const float high[3], const OverlayImage* from = nullptr);
    // Draws a pass after what the image holds, off screen, in the current
    // transforms: first `depth`, the drawing the pass is depth tested
    // against, with colour writes off; then `pass` with blending on, within
    // the box. False, and the image empty, when it cannot.
    bool add(RenderContext& context, OverlayCanvas& canvas, const std::function<void()>& depth,
        const std::function<void()>& pass);
    // What `then`, started for the same view, holds, after what the image holds.
    bool follow(RenderContext& context, OverlayCanvas& canvas, const OverlayImage& then);

    // Whether the context holds the image: started, and nothing failed since.
    bool recorded(RenderContext& context) const;

    // Lays the image over the current framebuffer in the viewport it was
    // started in. The stencil test, when on, chooses the pixels.
    void apply(RenderContext& context) const;

private:
    ContextKey key_;
    ViewRect viewport_;
    // Where the box lies in the window: the image's pixels.
    ViewRect area_;
};

} // namespace cubrava
