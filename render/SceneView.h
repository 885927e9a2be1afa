#pragma once

#include "Camera.h"
#include "CameraControl.h"
#include "ContextKey.h"
#include "EffectList.h"
#include "LandedBatch.h"
#include "ViewRect.h"
#include "ViewSector.h"
#include "model/PlayEvents.h"

#include <cstdint>

namespace cubrava {

class PlayField;
class RenderContext;
class TimerService;
class WindowService;
struct KeptList;

// The large 3D view of the pit: the camera (moved by its CameraControl),
// lights, the landed cubes, the display lists of the pit, the falling piece
// and the forward marker (kept in the rendering context), and the running
// particle effects. It turns the player's screen-relative keys into pit
// moves, since only the camera knows which way is forward. Everything but
// attach runs on the rendering thread.
class SceneView : public PlayListener {
public:
    // Milliseconds between two steps of held camera motion.
    static constexpr unsigned TickMs = CameraControl::TickMs;

    SceneView(WindowService& display, TimerService& timers);
    ~SceneView() override;
    SceneView(const SceneView&) = delete;
    SceneView& operator=(const SceneView&) = delete;

    // Listens to the new field and resets the camera to the starting view of
    // its pit. Makes no OpenGL call: the next draw brings the lists up to date.
    void attach(PlayField& play);
    void setViewport(const ViewRect& rect) { viewport_ = rect; }
    // For a new rendering context: shading, lights and material.
    void initGl();
    // Clears the window and draws the view, the landed cubes as a batch.
    void draw(RenderContext& context);
    // The same with the landed cubes drawn another way.
    void draw(RenderContext& context, LandedCubesDrawing& landed);
    // Compiles the lists whose content changed since the context last got
    // them; draw does it first.
    void prepare(RenderContext& context);

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
    // Move whenever what the static list (grid and landed cubes) and the
    // piece list show changes.
    std::uint64_t staticVersion() const { return staticVersion_; }
    std::uint64_t pieceVersion() const { return pieceVersion_; }

private:
    struct Lists;

    void drawForwardMarker(RenderContext& context, const KeptList& list, int layers);

    WindowService& display_;
    PlayField* play_ = nullptr;
    ViewRect viewport_;
    CameraControl control_;
    ContextKey key_;
    // Events and attach move them; attach may run on another thread than the
    // renderer (the editor's dialog), serialised with draw by the caller.
    std::uint64_t staticVersion_ = 1;
    std::uint64_t pieceVersion_ = 1;
    LandedBatch landed_;
    EffectList effects_;
};

} // namespace cubrava
