#define GL_GLEXT_PROTOTYPES
#include "OverlayImage.h"

#include "OverlayCanvas.h"
#include "RenderContext.h"

#include <GL/gl.h>
#include <GL/glext.h>

#include <algorithm>
#include <cmath>

namespace cubrava {

namespace {

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

// The image's texture in a rendering context, and what it holds.
struct Kept {
    unsigned colour = 0;
    int width = 0, height = 0;
    bool recorded = false;
};

// Draws into an image while it lives: the canvas bound with the image's
// texture, the viewport placed so the window's pixels land on the image's;
// the framebuffer and viewport as they were afterwards.
class Target {
public:
    Target(
        RenderContext& context, OverlayCanvas& canvas, const Kept& kept, const ViewRect& viewport, const ViewRect& area)
    {
        glGetIntegerv(GL_FRAMEBUFFER_BINDING, &framebuffer_);
        glGetIntegerv(GL_VIEWPORT, viewport_);
        // The window's stencil marks are not the image's.
        stencil_ = glIsEnabled(GL_STENCIL_TEST);
        glDisable(GL_STENCIL_TEST);
        bound_ = canvas.bind(context, kept.colour, kept.width, kept.height);
        glViewport(viewport.x - area.x, viewport.y - area.y, viewport.width, viewport.height);
    }
    ~Target()
    {
        glBindFramebuffer(GL_FRAMEBUFFER, static_cast<GLuint>(framebuffer_));
        glViewport(viewport_[0], viewport_[1], viewport_[2], viewport_[3]);
        if (stencil_)
            glEnable(GL_STENCIL_TEST);
    }
    Target(const Target&) = delete;
    Target& operator=(const Target&) = delete;

    bool bound() const { return bound_; }

private:
    GLint framebuffer_ = 0;
    GLint viewport_[4] = {};
    GLboolean stencil_ = GL_FALSE;
    bool bound_ = false;
};

// Lays a whole image's texture over the given window rectangle: copied as it
// is, or composed after what is there.
void layTexture(unsigned texture, const ViewRect& onto, bool compose)
{
    glPushAttrib(
        GL_CURRENT_BIT | GL_ENABLE_BIT | GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT | GL_TEXTURE_BIT | GL_VIEWPORT_BIT);
    glViewport(onto.x, onto.y, onto.width, onto.height);
    glDisable(GL_LIGHTING);
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_CULL_FACE);
    if (compose) {
        glEnable(GL_BLEND);
        glBlendFuncSeparate(GL_ONE, GL_SRC_ALPHA, GL_ZERO, GL_SRC_ALPHA);
        // An alpha of one with no colour: the pixel stays as it was.
        glEnable(GL_ALPHA_TEST);
        glAlphaFunc(GL_LESS, 1.0f);
    } else {
        glDisable(GL_BLEND);
        glDisable(GL_ALPHA_TEST);
    }
    glEnable(GL_TEXTURE_2D);
    glBindTexture(GL_TEXTURE_2D, texture);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_REPLACE);

    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();
    glBegin(GL_QUADS);
    glTexCoord2f(0.0f, 0.0f);
    glVertex2f(-1.0f, -1.0f);
    glTexCoord2f(1.0f, 0.0f);
    glVertex2f(1.0f, -1.0f);
    glTexCoord2f(1.0f, 1.0f);
    glVertex2f(1.0f, 1.0f);
    glTexCoord2f(0.0f, 1.0f);
    glVertex2f(-1.0f, 1.0f);
    glEnd();
    glPopMatrix();
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);

    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
    glPopAttrib();
}

// Gives the texture storage of the given size.
bool prepare(RenderContext& context, Kept& kept, int width, int height)
{
    if (!context.hasFramebuffers() || width <= 0 || height <= 0)
        return false;
    if (kept.colour == 0)
        kept.colour = context.newTexture();
    if (kept.colour == 0)
        return false;
    if (kept.width == width && kept.height == height)
        return true;
    GLint boundTexture = 0;
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &boundTexture);
    glBindTexture(GL_TEXTURE_2D, kept.colour);
    // One texel per pixel, taken as it is.
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
    // Sixteen bits a channel: the image then holds the passes to within
    // rounding of the blends as the screen's eight bits round them one by
    // one; eight bits would add rounding of its own to every blend.
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA16, width, height, 0, GL_RGBA, GL_UNSIGNED_BYTE, nullptr);
    glBindTexture(GL_TEXTURE_2D, static_cast<GLuint>(boundTexture));
    kept.width = width;
    kept.height = height;
    return true;
}

} // namespace

bool OverlayImage::recorded(RenderContext& context) const
{
    return context.kept<Kept>(key_).recorded;
}

bool OverlayImage::start(RenderContext& context, OverlayCanvas& canvas, const ViewRect& viewport, const float low[3],
    const float high[3], const OverlayImage* from)
{
    Kept& kept = context.kept<Kept>(key_);
    kept.recorded = false;
    viewport_ = viewport;
    area_ = windowArea(viewport, low, high);
    if (from && (!from->recorded(context) || from->viewport_ != viewport_ || from->area_ != area_))
        return false;
    if (!prepare(context, kept, area_.width, area_.height))
        return false;
    Target target(context, canvas, kept, viewport_, area_);
    if (!target.bound())
        return false;
    if (from) {
        layTexture(context.kept<Kept>(from->key_).colour, ViewRect { 0, 0, kept.width, kept.height }, false);
    } else {
        GLfloat clearColour[4];
        glGetFloatv(GL_COLOR_CLEAR_VALUE, clearColour);
        glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
        glClear(GL_COLOR_BUFFER_BIT);
        glClearColor(clearColour[0], clearColour[1], clearColour[2], clearColour[3]);
    }
    kept.recorded = true;
    return true;
}

bool OverlayImage::add(RenderContext& context, OverlayCanvas& canvas, const std::function<void()>& depth,
    const std::function<void()>& pass)
{
    Kept& kept = context.kept<Kept>(key_);
    if (!kept.recorded)
        return false;
    Target target(context, canvas, kept, viewport_, area_);
    kept.recorded = target.bound();
    if (!kept.recorded)
        return false;
    const GLboolean blending = glIsEnabled(GL_BLEND);
    GLboolean depthWrites = GL_TRUE;
    glGetBooleanv(GL_DEPTH_WRITEMASK, &depthWrites);
    glDepthMask(GL_TRUE);
    glClear(GL_DEPTH_BUFFER_BIT | GL_STENCIL_BUFFER_BIT);
    glColorMask(GL_FALSE, GL_FALSE, GL_FALSE, GL_FALSE);
    depth();
    glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);

    glEnable(GL_BLEND);
    glBlendFuncSeparate(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA, GL_ZERO, GL_ONE_MINUS_SRC_ALPHA);
    pass();
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    if (!blending)
        glDisable(GL_BLEND);
    glDepthMask(depthWrites);
    return true;
}

bool OverlayImage::follow(RenderContext& context, OverlayCanvas& canvas, const OverlayImage& then)
{
    Kept& kept = context.kept<Kept>(key_);
    if (!kept.recorded)
        return false;
    kept.recorded = then.recorded(context) && then.viewport_ == viewport_ && then.area_ == area_;
    if (!kept.recorded)
        return false;
    Target target(context, canvas, kept, viewport_, area_);
    kept.recorded = target.bound();
    if (kept.recorded)
        layTexture(context.kept<Kept>(then.key_).colour, ViewRect { 0, 0, kept.width, kept.height }, true);
    return kept.recorded;
}

void OverlayImage::apply(RenderContext& context) const
{
    const Kept& kept = context.kept<Kept>(key_);
    if (kept.recorded)
        layTexture(kept.colour, area_, true);
}

} // namespace cubrava
