#include "CameraControl.h"

#include "DisplayService.h"
#include "TimerService.h"
#include "ViewSector.h"

#include <GL/gl.h>

#include <cctype>

namespace cubrava {

CameraControl::CameraControl(WindowService& window, TimerService& timers)
    : window_(window)
    , timers_(timers)
{
}

CameraControl::~CameraControl() = default;

void CameraControl::setPit(int width, int depth, int height)
{
    std::lock_guard<std::mutex> lock(mutex_);
    limits_ = CameraLimits::forPit(width, depth, height);
    camera_.reset(limits_);
}

void CameraControl::keyDown(unsigned char key)
{
    if (std::toupper(key) == 'B') {
        {
            std::lock_guard<std::mutex> lock(mutex_);
            camera_.topView = !camera_.topView;
        }
        window_.postRedisplay();
        return;
    }
    if (std::uint32_t bit = cameraMotionBit(key))
        holdBit(bit);
}

void CameraControl::keyUp(unsigned char key)
{
    std::lock_guard<std::mutex> lock(mutex_);
    motion_ &= ~cameraMotionBit(key);
}

void CameraControl::mouseButton(MouseButton button, ButtonState state)
{
    std::uint32_t bit = 0;
    if (button == MouseButton::Left)
        bit = CameraMotion::Raise;
    else if (button == MouseButton::Right)
        bit = CameraMotion::Lower;
    else
        return;
    if (state == ButtonState::Down) {
        holdBit(bit);
    } else {
        std::lock_guard<std::mutex> lock(mutex_);
        motion_ &= ~bit;
    }
}

void CameraControl::holdBit(std::uint32_t bit)
{
    bool startChain = false;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        if (camera_.topView || (motion_ & bit))
            return;
        const bool wasIdle = motion_ == 0;
        motion_ |= bit;
        // A tick still on its way carries on the chain; starting another would
        // double the speed (X key repeat releases and presses a held key).
        startChain = wasIdle && !tickPending_;
    }
    if (startChain)
        tick();
}

void CameraControl::tick()
{
    {
        std::lock_guard<std::mutex> lock(mutex_);
        tickPending_ = false;
        if (camera_.topView || motion_ == 0 || !camera_.step(motion_, limits_))
            return;
        tickPending_ = true;
    }
    window_.postRedisplay();
    std::weak_ptr<bool> token = token_;
    timers_.after(TickMs, [this, token] {
        if (!token.expired())
            tick();
    });
}

void CameraControl::clearMotion()
{
    std::lock_guard<std::mutex> lock(mutex_);
    motion_ = 0;
}

void CameraControl::releaseMotion()
{
    clearMotion();
    window_.postRedisplay();
}

void CameraControl::mouseMotion(int x, int y)
{
    if (ignoreNextMotion_) {
        ignoreNextMotion_ = false;
        return;
    }
    bool turned = false;
    if (mouseCentreX_ == -1 && mouseCentreY_ == -1) {
        mouseCentreX_ = static_cast<std::int16_t>(window_.windowWidth() / 2);
        mouseCentreY_ = static_cast<std::int16_t>(window_.windowHeight() / 2);
    } else {
        std::lock_guard<std::mutex> lock(mutex_);
        turned = camera_.turnBy(x - mouseCentreX_, y - mouseCentreY_);
    }
    if (turned)
        window_.postRedisplay();
    // A pointer already at the centre would not move, and the motion we would
    // then wait to ignore is the user's next real one.
    if (x == mouseCentreX_ && y == mouseCentreY_)
        return;
    ignoreNextMotion_ = true;
    window_.warpPointer(mouseCentreX_, mouseCentreY_);
}

void CameraControl::warpToCentre()
{
    // Before the first motion there is no centre to go back to.
    if (mouseCentreX_ == -1 && mouseCentreY_ == -1)
        return;
    ignoreNextMotion_ = true;
    window_.warpPointer(mouseCentreX_, mouseCentreY_);
}

int CameraControl::viewSector() const
{
    std::lock_guard<std::mutex> lock(mutex_);
    return cubrava::viewSector(camera_);
}

void CameraControl::applyProjection(const ViewRect& viewport) const
{
    CameraLimits limits = this->limits();
    if (viewport.width >= 0 && viewport.height >= 0)
        glViewport(viewport.x, viewport.y, viewport.width, viewport.height);
    const Frustum f = sceneFrustum(viewport.width, viewport.height, limits);
    glFrustum(f.left, f.right, f.bottom, f.top, f.zNear, f.zFar);
}

void CameraControl::applyCamera() const
{
    Camera camera;
    CameraLimits limits;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        camera = camera_;
        limits = limits_;
    }
    if (camera.topView) {
        // Straight down the pit from 5 units above its rim.
        glTranslated(-limits.halfX, -limits.halfY, -(limits.height + 5.0));
        return;
    }
    glTranslated(0.0, 0.0, -camera.distance);
    glRotated(camera.pitch, 1.0, 0.0, 0.0);
    glRotated(camera.yaw, 0.0, 0.0, 1.0);
    glTranslated(-limits.halfX, -limits.halfY, camera.liftZ(limits));
}

Camera CameraControl::camera() const
{
    std::lock_guard<std::mutex> lock(mutex_);
    return camera_;
}

void CameraControl::setCamera(const Camera& camera)
{
    std::lock_guard<std::mutex> lock(mutex_);
    camera_ = camera;
}

CameraLimits CameraControl::limits() const
{
    std::lock_guard<std::mutex> lock(mutex_);
    return limits_;
}

std::uint32_t CameraControl::motion() const
{
    std::lock_guard<std::mutex> lock(mutex_);
    return motion_;
}

} // namespace cubrava
