#define GL_GLEXT_PROTOTYPES
#include "OverlayCanvas.h"

#include "RenderContext.h"

#include <GL/gl.h>
#include <GL/glext.h>

namespace cubrava {

namespace {

// The depth buffer's format: the window's own precision, so that a pass
// meets the same depths off screen as on screen.
GLenum windowDepthFormat()
{
    GLint depthBits = 24, stencilBits = 0;
    glGetIntegerv(GL_DEPTH_BITS, &depthBits);
    glGetIntegerv(GL_STENCIL_BITS, &stencilBits);
    if (depthBits <= 16)
        return GL_DEPTH_COMPONENT16;
    if (depthBits >= 32)
        return GL_DEPTH_COMPONENT32;
    return stencilBits > 0 ? GL_DEPTH24_STENCIL8 : GL_DEPTH_COMPONENT24;
}

struct Kept {
    unsigned framebuffer = 0;
    unsigned depth = 0; // a renderbuffer
    int width = 0, height = 0;
    bool attached = false;
};

} // namespace

bool OverlayCanvas::bind(RenderContext& context, unsigned colour, int width, int height)
{
    if (!context.hasFramebuffers() || colour == 0 || width <= 0 || height <= 0)
        return false;
    Kept& kept = context.kept<Kept>(key_);
    if (kept.framebuffer == 0) {
        kept.depth = context.newRenderbuffer();
        kept.framebuffer = context.newFramebuffer();
        if (kept.depth == 0 || kept.framebuffer == 0)
            return false;
    }
    glBindFramebuffer(GL_FRAMEBUFFER, kept.framebuffer);
    if (!kept.attached || kept.width != width || kept.height != height) {
        const GLenum format = windowDepthFormat();
        glBindRenderbuffer(GL_RENDERBUFFER, kept.depth);
        glRenderbufferStorage(GL_RENDERBUFFER, format, width, height);
        glBindRenderbuffer(GL_RENDERBUFFER, 0);
        glFramebufferRenderbuffer(GL_FRAMEBUFFER,
            format == GL_DEPTH24_STENCIL8 ? GL_DEPTH_STENCIL_ATTACHMENT : GL_DEPTH_ATTACHMENT, GL_RENDERBUFFER,
            kept.depth);
        kept.width = width;
        kept.height = height;
        kept.attached = true;
    }
    glFramebufferTexture2D(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_2D, colour, 0);
    return glCheckFramebufferStatus(GL_FRAMEBUFFER) == GL_FRAMEBUFFER_COMPLETE;
}

} // namespace cubrava
