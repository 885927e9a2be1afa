#define GL_GLEXT_PROTOTYPES
#include "OverlayImage.h"

#include "RenderContext.h"

#include <GL/gl.h>
#include <GL/glext.h>

#include <algorithm>
#include <cmath>

namespace cubrava {

namespace {

// The depth buffer's format: the window's own precision, so that the pass
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

// The window rectangle within the viewport that holds the picture of the box
// from low to high in the current transforms, a pixel to spare on each side:
// the whole viewport when part of the box lies behind the eye.
ViewRect windowArea(const ViewRect& viewport, const float low[3], const float high[3])
{
    GLdouble modelview[16], projection[16];
    glGetDoublev(GL_MODELVIEW_MATRIX, modelview);
    glGetDoublev(GL_PROJECTION_MATRIX, projection);
    double left = 1.0, right = -1.0, bottom = 1.0, top = -1.0;
    for (int corner = 0; corner < 8; ++corner) {
        const double p[4] = { (corner & 1) ? high[0] : low[0], (corner & 2) ? high[1] : low[1],
            (corner & 4) ? high[2] : low[2], 1.0 };
        double eye[4] = {}, clip[4] = {};
        for (int row = 0; row < 4; ++row)
            for (int k = 0; k < 4; ++k)
                eye[row] += modelview[k * 4 + row] * p[k];
        for (int row = 0; row < 4; ++row)
            for (int k = 0; k < 4; ++k)
                clip[row] += projection[k * 4 + row] * eye[k];
        if (clip[3] <= 1e-6)
            return viewport;
        left = std::min(left, clip[0] / clip[3]);
        right = std::max(right, clip[0] / clip[3]);
        bottom = std::min(bottom, clip[1] / clip[3]);
        top = std::max(top, clip[1] / clip[3]);
    }
    const auto toWindow = [](double ndc, int origin, int size) { return origin + (ndc + 1.0) / 2.0 * size; };
    const int x0 = std::max(viewport.x, static_cast<int>(std::floor(toWindow(left, viewport.x, viewport.width))) - 1);
    const int x1 = std::min(
        viewport.x + viewport.width, static_cast<int>(std::ceil(toWindow(right, viewport.x, viewport.width))) + 1);
    const int y0
        = std::max(viewport.y, static_cast<int>(std::floor(toWindow(bottom, viewport.y, viewport.height))) - 1);
    const int y1 = std::min(
        viewport.y + viewport.height, static_cast<int>(std::ceil(toWindow(top, viewport.y, viewport.height))) + 1);
    return ViewRect { x0, y0, std::max(0, x1 - x0), std::max(0, y1 - y0) };
}

// The image's objects in a rendering context, and what they hold.
struct Kept {
    unsigned framebuffer = 0;
    unsigned colour = 0; // a texture
    unsigned depth = 0; // a renderbuffer
    int width = 0, height = 0;
    bool complete = false;
    bool recorded = false;
};

// Gives the kept objects storage of the given size; false when the renderer
// draws nothing off screen.
bool prepare(RenderContext& context, Kept& kept, int width, int height)
{
    if (kept.complete && width == kept.width && height == kept.height)
        return true;
    if (!context.hasFramebuffers() || width <= 0 || height <= 0)
        return false;
    if (kept.framebuffer == 0) {
        kept.colour = context.newTexture();
        kept.depth = context.newRenderbuffer();
        kept.framebuffer = context.newFramebuffer();
    }
    if (kept.colour == 0 || kept.depth == 0 || kept.framebuffer == 0)
        return false;

    GLint boundTexture = 0;
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &boundTexture);
    glBindTexture(GL_TEXTURE_2D, kept.colour);
    // One texel per pixel, taken as it is.
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
    // Sixteen bits a channel: the image then holds the pass to within
    // rounding of the blends as the screen's eight bits round them one by
    // one; eight bits would add rounding of its own to every blend.
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA16, width, height, 0, GL_RGBA, GL_UNSIGNED_BYTE, nullptr);
    glBindTexture(GL_TEXTURE_2D, static_cast<GLuint>(boundTexture));

    const GLenum depthFormat = windowDepthFormat();
    glBindRenderbuffer(GL_RENDERBUFFER, kept.depth);
    glRenderbufferStorage(GL_RENDERBUFFER, depthFormat, width, height);
    glBindRenderbuffer(GL_RENDERBUFFER, 0);

    GLint bound = 0;
    glGetIntegerv(GL_FRAMEBUFFER_BINDING, &bound);
    glBindFramebuffer(GL_FRAMEBUFFER, kept.framebuffer);
    glFramebufferTexture2D(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_2D, kept.colour, 0);
    glFramebufferRenderbuffer(GL_FRAMEBUFFER,
        depthFormat == GL_DEPTH24_STENCIL8 ? GL_DEPTH_STENCIL_ATTACHMENT : GL_DEPTH_ATTACHMENT, GL_RENDERBUFFER,
        kept.depth);
    kept.complete = glCheckFramebufferStatus(GL_FRAMEBUFFER) == GL_FRAMEBUFFER_COMPLETE;
    glBindFramebuffer(GL_FRAMEBUFFER, static_cast<GLuint>(bound));
    kept.width = width;
    kept.height = height;
    return kept.complete;
}

} // namespace

bool OverlayImage::recorded(RenderContext& context) const
{
    return context.kept<Kept>(key_).recorded;
}

bool OverlayImage::record(RenderContext& context, const ViewRect& viewport, const float low[3], const float high[3],
    const std::function<void()>& depth, const std::function<void()>& pass)
{
    Kept& kept = context.kept<Kept>(key_);
    kept.recorded = false;
    // As large as the window part the viewport covers, so the viewport's
    // pixels stay where they are.
    if (!prepare(context, kept, viewport.x + viewport.width, viewport.y + viewport.height))
        return false;

    GLint bound = 0;
    glGetIntegerv(GL_FRAMEBUFFER_BINDING, &bound);
    GLfloat clearColour[4];
    glGetFloatv(GL_COLOR_CLEAR_VALUE, clearColour);
    const GLboolean blending = glIsEnabled(GL_BLEND);

    glBindFramebuffer(GL_FRAMEBUFFER, kept.framebuffer);
    glViewport(viewport.x, viewport.y, viewport.width, viewport.height);
    glDepthMask(GL_TRUE);
    glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT | GL_STENCIL_BUFFER_BIT);
    glColorMask(GL_FALSE, GL_FALSE, GL_FALSE, GL_FALSE);
    depth();
    glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);

    glEnable(GL_BLEND);
    glBlendFuncSeparate(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA, GL_ZERO, GL_ONE_MINUS_SRC_ALPHA);
    pass();
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    if (!blending)
        glDisable(GL_BLEND);

    glClearColor(clearColour[0], clearColour[1], clearColour[2], clearColour[3]);
    glBindFramebuffer(GL_FRAMEBUFFER, static_cast<GLuint>(bound));
    glViewport(viewport.x, viewport.y, viewport.width, viewport.height);
    viewport_ = viewport;
    area_ = windowArea(viewport, low, high);
    kept.recorded = true;
    return true;
}

void OverlayImage::apply(RenderContext& context) const
{
    const Kept& kept = context.kept<Kept>(key_);
    if (!kept.recorded || area_.width <= 0 || area_.height <= 0)
        return;
    glPushAttrib(
        GL_CURRENT_BIT | GL_ENABLE_BIT | GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT | GL_TEXTURE_BIT | GL_VIEWPORT_BIT);
    glViewport(area_.x, area_.y, area_.width, area_.height);
    glDisable(GL_LIGHTING);
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_CULL_FACE);
    glEnable(GL_BLEND);
    glBlendFunc(GL_ONE, GL_SRC_ALPHA);
    // An alpha of one with no colour: the pass left the pixel as it was.
    glEnable(GL_ALPHA_TEST);
    glAlphaFunc(GL_LESS, 1.0f);
    glEnable(GL_TEXTURE_2D);
    glBindTexture(GL_TEXTURE_2D, kept.colour);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_REPLACE);

    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();
    const float s0 = static_cast<float>(area_.x) / kept.width, t0 = static_cast<float>(area_.y) / kept.height;
    const float s1 = static_cast<float>(area_.x + area_.width) / kept.width;
    const float t1 = static_cast<float>(area_.y + area_.height) / kept.height;
    glBegin(GL_QUADS);
    glTexCoord2f(s0, t0);
    glVertex2f(-1.0f, -1.0f);
    glTexCoord2f(s1, t0);
    glVertex2f(1.0f, -1.0f);
    glTexCoord2f(s1, t1);
    glVertex2f(1.0f, 1.0f);
    glTexCoord2f(s0, t1);
    glVertex2f(-1.0f, 1.0f);
    glEnd();
    glPopMatrix();
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);

    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
    glPopAttrib();
}

} // namespace cubrava
