#pragma once

#include "Camera.h"
#include "CameraControl.h"
#include "CubeBatch.h"
#include "EffectList.h"
#include "PitDrawing.h"
#include "ViewRect.h"
#include "ViewSector.h"
#include "model/PlayEvents.h"

#include <cstdint>
#include <functional>

namespace cubrava {

class DisplayService;
class PlayField;
class TimerService;

// The large 3D view of the pit: the camera (moved by its CameraControl),
// lights, the display lists of the pit, the falling piece and the forward
// marker, and the running particle effects. It turns the player's
// screen-relative keys into pit moves, since only the camera knows which way
// is forward. Everything but attach runs on the rendering thread.
class SceneView : public PlayListener {
public:
    // Milliseconds between two steps of held camera motion.
    static constexpr unsigned TickMs = CameraControl::TickMs;

    SceneView(DisplayService& display, TimerService& timers);
    ~SceneView() override;
    SceneView(const SceneView&) = delete;
    SceneView& operator=(const SceneView&) = delete;

    // Listens to the new field and resets the camera to the starting view of
    // its pit. Makes no OpenGL call: the old lists are only marked stale, and
    // the next draw or rebuild drops them on the rendering thread.
    void attach(PlayField& play);
    void setViewport(const ViewRect& rect) { viewport_ = rect; }
    // For a new rendering context: drops the lists, sets shading, lights and material.
    void initGl();
    // Clears the window and draws the view.
    void draw();
    // Deletes the lists and buffers while their rendering context still exists.
    void releaseLists();
    // How the landed cubes are drawn (batched unless changed); a change takes
    // effect at the next draw. Rendering thread only.
    void setLandedCubes(LandedCubes how);

    void onPlayEvent(PlayField& play, PlayEvent event, std::int32_t arg) override;

    // The camera's input, as CameraControl takes it.
    void keyDown(unsigned char key) { control_.keyDown(key); }
    void keyUp(unsigned char key) { control_.keyUp(key); }
    void mouseButton(MouseButton button, ButtonState state) { control_.mouseButton(button, state); }
    void mouseMotion(int x, int y) { control_.mouseMotion(x, y); }
    void warpToCentre() { control_.warpToCentre(); }
    // Every held camera key and button counts as released; redisplays.
    void releaseMotion() { control_.releaseMotion(); }

    int viewSector() const { return control_.viewSector(); }
    void moveRelative(RelativeDirection direction);
    void turnRelative(TurnAxis axis);

    // One step of every running effect.
    void stepEffects();

    const ViewRect& viewport() const { return viewport_; }
    CameraControl& cameraControl() { return control_; }
    Camera camera() const { return control_.camera(); }
    CameraLimits limits() const { return control_.limits(); }
    std::uint32_t motion() const { return control_.motion(); }
    const EffectList& effects() const { return effects_; }
    unsigned staticList() const { return staticList_; }
    unsigned pieceList() const { return pieceList_; }
    unsigned markerList() const { return markerList_; }
    // The lists belong to a field attached since they were built.
    bool listsStale() const { return listsStale_; }

private:
    void deleteLists();
    void dropStaleLists();
    void rebuild(unsigned& list, const std::function<void()>& content);
    void rebuildStatic();
    void buildStatic();
    void rebuildPiece();
    void ensureList(unsigned& list, const std::function<void()>& content);
    void drawForwardMarker(const CameraLimits& limits);

    DisplayService& display_;
    PlayField* play_ = nullptr;
    ViewRect viewport_;
    CameraControl control_;
    // attach may run on another thread than the renderer (the editor's
    // dialog), serialised with draw by the caller; it only sets this.
    bool listsStale_ = false;
    LandedCubes landedCubes_ = LandedCubes::Batched;
    // The landed cubes when batched; built with the static list.
    CubeBatch landed_;
    bool landedBuilt_ = false;
    unsigned staticList_ = 0;
    unsigned pieceList_ = 0;
    unsigned markerList_ = 0;
    EffectList effects_;
};

} // namespace cubrava
