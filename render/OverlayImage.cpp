#define GL_GLEXT_PROTOTYPES
#include "OverlayImage.h"

#include "GlVersion.h"

#include <GL/gl.h>
#include <GL/glext.h>

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

} // namespace

bool OverlayImage::prepare(int width, int height)
{
    if (framebuffer_ != 0 && width == width_ && height == height_)
        return true;
    release();
    static const bool offScreen = glVersionAtLeast(3, 0);
    if (!offScreen || width <= 0 || height <= 0)
        return false;

    GLint boundTexture = 0;
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &boundTexture);
    glGenTextures(1, &colour_);
    glBindTexture(GL_TEXTURE_2D, colour_);
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
    glGenRenderbuffers(1, &depth_);
    glBindRenderbuffer(GL_RENDERBUFFER, depth_);
    glRenderbufferStorage(GL_RENDERBUFFER, depthFormat, width, height);
    glBindRenderbuffer(GL_RENDERBUFFER, 0);

    GLint bound = 0;
    glGetIntegerv(GL_FRAMEBUFFER_BINDING, &bound);
    glGenFramebuffers(1, &framebuffer_);
    glBindFramebuffer(GL_FRAMEBUFFER, framebuffer_);
    glFramebufferTexture2D(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_2D, colour_, 0);
    glFramebufferRenderbuffer(GL_FRAMEBUFFER,
        depthFormat == GL_DEPTH24_STENCIL8 ? GL_DEPTH_STENCIL_ATTACHMENT : GL_DEPTH_ATTACHMENT, GL_RENDERBUFFER,
        depth_);
    const bool complete = glCheckFramebufferStatus(GL_FRAMEBUFFER) == GL_FRAMEBUFFER_COMPLETE;
    glBindFramebuffer(GL_FRAMEBUFFER, static_cast<GLuint>(bound));
    if (!complete) {
        release();
        return false;
    }
    width_ = width;
    height_ = height;
    return true;
}

bool OverlayImage::record(
    const ViewRect& viewport, const std::function<void()>& depth, const std::function<void()>& pass)
{
    recorded_ = false;
    // As large as the window part the viewport covers, so the viewport's
    // pixels stay where they are.
    if (!prepare(viewport.x + viewport.width, viewport.y + viewport.height))
        return false;

    GLint bound = 0;
    glGetIntegerv(GL_FRAMEBUFFER_BINDING, &bound);
    GLfloat clearColour[4];
    glGetFloatv(GL_COLOR_CLEAR_VALUE, clearColour);
    const GLboolean blending = glIsEnabled(GL_BLEND);

    glBindFramebuffer(GL_FRAMEBUFFER, framebuffer_);
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
    recorded_ = true;
    return true;
}

void OverlayImage::apply() const
{
    if (!recorded_)
        return;
    glPushAttrib(GL_ENABLE_BIT | GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT | GL_TEXTURE_BIT | GL_VIEWPORT_BIT);
    glViewport(viewport_.x, viewport_.y, viewport_.width, viewport_.height);
    glDisable(GL_LIGHTING);
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_CULL_FACE);
    glEnable(GL_BLEND);
    glBlendFunc(GL_ONE, GL_SRC_ALPHA);
    glEnable(GL_TEXTURE_2D);
    glBindTexture(GL_TEXTURE_2D, colour_);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_REPLACE);

    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();
    const float s0 = static_cast<float>(viewport_.x) / width_, t0 = static_cast<float>(viewport_.y) / height_;
    glBegin(GL_QUADS);
    glTexCoord2f(s0, t0);
    glVertex2f(-1.0f, -1.0f);
    glTexCoord2f(1.0f, t0);
    glVertex2f(1.0f, -1.0f);
    glTexCoord2f(1.0f, 1.0f);
    glVertex2f(1.0f, 1.0f);
    glTexCoord2f(s0, 1.0f);
    glVertex2f(-1.0f, 1.0f);
    glEnd();
    glPopMatrix();
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);

    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
    glPopAttrib();
}

void OverlayImage::release()
{
    if (framebuffer_ != 0) {
        glDeleteFramebuffers(1, &framebuffer_);
        glDeleteRenderbuffers(1, &depth_);
        glDeleteTextures(1, &colour_);
    }
    forget();
}

void OverlayImage::forget()
{
    framebuffer_ = colour_ = depth_ = 0;
    width_ = height_ = 0;
    recorded_ = false;
}

} // namespace cubrava
