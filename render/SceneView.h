#pragma once

#include "Camera.h"
#include "EffectList.h"
#include "ViewRect.h"
#include "model/PlayEvents.h"

#include <cstdint>
#include <functional>
#include <memory>

namespace cubrava {

class DisplayService;
class PlayField;
class TimerService;

// The large 3D view of the pit: camera, lights, the display lists of the pit,
// the falling piece and the forward marker, and the running particle effects.
// It turns the player's screen-relative keys into pit moves, since only the
// camera knows which way is forward.
class SceneView : public PlayListener {
public:
    // Milliseconds between two steps of held camera motion.
    static constexpr unsigned TickMs = 15;

    SceneView(DisplayService& display, TimerService& timers);
    ~SceneView() override;
    SceneView(const SceneView&) = delete;
    SceneView& operator=(const SceneView&) = delete;

    // Drops the lists, listens to the new field, and resets the camera to
    // the starting view of its pit.
    void attach(PlayField& play);
    void setViewport(const ViewRect& rect) { viewport_ = rect; }
    // For a new rendering context: drops the lists, sets shading, lights and material.
    void initGl();
    // Clears the window and draws the view.
    void draw();
    // Deletes the lists while their rendering context still exists.
    void releaseLists();

    void onPlayEvent(PlayField& play, PlayEvent event, std::int32_t arg) override;

    // Camera keys A, C, E, F, G, S, W, X (held) and B (top view), either case.
    void keyDown(unsigned char key);
    void keyUp(unsigned char key);
    // GLUT button (0 left, 2 right) and state (0 down, 1 up).
    void mouseButton(int button, int state);
    // Pointer position in window coordinates, origin top left.
    void mouseMotion(int x, int y);
    // Puts the pointer back at the centre; the motion that causes is ignored.
    void warpToCentre();
    // Every held camera key and button counts as released.
    void releaseMotion();

    int viewSector() const;
    // 0 forward, 1 back, 2 left, 3 right, as seen from the camera.
    void moveRelative(int direction);
    // Kinds 0, 1, 2: the turn keys, as seen from the camera.
    void turnRelative(int kind);

    // One step of every running effect.
    void stepEffects();

    // The projection and the camera transform of draw, for a view that draws
    // the pit its own way (the editor). Both multiply onto the current matrix.
    void applyProjection() const;
    void applyCamera() const;

    const ViewRect& viewport() const { return viewport_; }
    const Camera& camera() const { return camera_; }
    Camera& camera() { return camera_; }
    const CameraLimits& limits() const { return limits_; }
    std::uint32_t motion() const { return motion_; }
    const EffectList& effects() const { return effects_; }
    unsigned staticList() const { return staticList_; }
    unsigned pieceList() const { return pieceList_; }
    unsigned markerList() const { return markerList_; }

private:
    void deleteLists();
    void rebuild(unsigned& list, const std::function<void()>& content);
    void rebuildStatic();
    void rebuildPiece();
    void ensureList(unsigned& list, const std::function<void()>& content);
    void drawForwardMarker();
    void holdBit(std::uint32_t bit);
    void tick();

    DisplayService& display_;
    TimerService& timers_;
    PlayField* play_ = nullptr;
    ViewRect viewport_;
    Camera camera_;
    CameraLimits limits_;
    std::uint32_t motion_ = 0;
    // A 15 ms tick is on its way: a second chain would double the speed.
    bool tickPending_ = false;
    std::int16_t mouseCentreX_ = -1;
    std::int16_t mouseCentreY_ = -1;
    bool ignoreNextMotion_ = false;
    unsigned staticList_ = 0;
    unsigned pieceList_ = 0;
    unsigned markerList_ = 0;
    EffectList effects_;
    // Timers hold it weakly, so a tick arriving after the view is gone does nothing.
    std::shared_ptr<bool> token_ = std::make_shared<bool>(true);
};

} // namespace cubrava
