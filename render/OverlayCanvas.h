#pragma once

#include "ContextKey.h"

namespace cubrava {

class RenderContext;

// The framebuffer OverlayImages are drawn in, and the depth buffer their
// passes are tested against. Images drawn one at a time share one, so each
// image costs only its colour. Its objects are the context's.
class OverlayCanvas {
public:
    OverlayCanvas() = default;
    OverlayCanvas(const OverlayCanvas&) = delete;
    OverlayCanvas& operator=(const OverlayCanvas&) = delete;

    // Binds the canvas with `colour`, a texture of width x height, as what it
    // draws into, and a depth buffer of that size with the window's
    // precision. False when the renderer draws nothing off screen. Either
    // way the caller restores the framebuffer binding.
    bool bind(RenderContext& context, unsigned colour, int width, int height);

private:
    ContextKey key_;
};

} // namespace cubrava
