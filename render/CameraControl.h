#pragma once

#include "Camera.h"
#include "ViewRect.h"
#include "platform/Input.h"

#include <cstdint>
#include <memory>
#include <mutex>

namespace cubrava {

class TimerService;
class WindowService;

// Moves the scene camera from the keyboard and the mouse: the held motion bits
// and their 15 ms tick chain, mouse look with the pointer kept at a centre, and
// top view. The game's scene view and the editor's view each own one.
//
// Threads: the input calls (keys, buttons, motion, warps, clearing motion) and
// the ticks belong to the thread that runs the window's event loop, because
// they use the window service and the timers. setPit, setCamera, the readers
// and the two transforms may come from any thread: the camera state sits under
// a lock of its own, which is never held while the window service or the
// timers are called, so it can be taken under any other lock.
class CameraControl {
public:
    // Milliseconds between two steps of held camera motion.
    static constexpr unsigned TickMs = 15;

    CameraControl(WindowService& window, TimerService& timers);
    ~CameraControl();
    CameraControl(const CameraControl&) = delete;
    CameraControl& operator=(const CameraControl&) = delete;

    // A new pit (X, Y and the playable height H): its limits, and the camera
    // at its starting view. Held motion and the pointer centre stay.
    void setPit(int width, int depth, int height);

    // Camera keys A, C, E, F, G, S, W, X (held) and B (top view), either case;
    // other keys do nothing.
    void keyDown(unsigned char key);
    void keyUp(unsigned char key);
    // Held, the left button raises the camera and the right one lowers it.
    void mouseButton(MouseButton button, ButtonState state);
    // Pointer position in window coordinates, origin top left. The first one
    // only takes the centre; later ones turn the camera and warp back.
    void mouseMotion(int x, int y);
    // Puts the pointer back at the centre; the motion that causes is ignored.
    void warpToCentre();
    // Every held camera key and button counts as released; a tick on its way
    // finds nothing to do and ends the chain.
    void clearMotion();
    // The same, and a redisplay.
    void releaseMotion();

    // 0 to 7: which way forward is, as seen from the camera.
    int viewSector() const;

    // OpenGL, on the thread whose rendering context is current. Both multiply
    // onto the current matrix: the projection sets the viewport first and
    // takes its aspect from it; the camera transform is in pit coordinates.
    void applyProjection(const ViewRect& viewport) const;
    void applyCamera() const;

    Camera camera() const;
    // Places the camera as given (demos and tests).
    void setCamera(const Camera& camera);
    CameraLimits limits() const;
    std::uint32_t motion() const;

private:
    void holdBit(std::uint32_t bit);
    void tick();

    WindowService& window_;
    TimerService& timers_;

    mutable std::mutex mutex_;
    Camera camera_;
    CameraLimits limits_;
    std::uint32_t motion_ = 0;
    // A 15 ms tick is on its way: a second chain would double the speed.
    bool tickPending_ = false;

    // Touched by the input calls only, on the event loop's thread.
    std::int16_t mouseCentreX_ = -1;
    std::int16_t mouseCentreY_ = -1;
    bool ignoreNextMotion_ = false;

    // Timers hold it weakly, so a tick arriving after the control is gone does nothing.
    std::shared_ptr<bool> token_ = std::make_shared<bool>(true);
};

} // namespace cubrava
