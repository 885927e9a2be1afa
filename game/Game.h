#pragma once

#include "FrameChanges.h"
#include "Screen.h"
#include "audio/Dj.h"
#include "data/LevelList.h"
#include "data/PieceSet.h"
#include "model/PlayField.h"
#include "model/SongStep.h"
#include "platform/Input.h"
#include "render/DisplayService.h"
#include "render/Hud.h"
#include "render/KeyHelp.h"
#include "render/MenuActions.h"
#include "render/PreviewView.h"
#include "render/RenderContext.h"
#include "render/SceneView.h"
#include "render/StatusOverlay.h"
#include "render/TimerService.h"

#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <utility>

namespace cubrava {

// What the Game needs from the window system, so that it runs in tests.
struct GameServices {
    GameServices(TimerService& timersIn, DisplayService& displayIn, Screen& screenIn,
        std::function<void(int status)> exitProcessIn)
        : timers(timersIn)
        , display(displayIn)
        , screen(screenIn)
        , exitProcess(std::move(exitProcessIn))
    {
    }

    TimerService& timers;
    DisplayService& display;
    Screen& screen;
    // Ends the process with a status; tests record it instead.
    std::function<void(int status)> exitProcess;
    // Monotonic time, for pacing animation.
    std::function<std::chrono::steady_clock::time_point()> now = [] { return std::chrono::steady_clock::now(); };
    // Waits; the idle callback sleeps until the next animation step is due.
    // None: animation steps on every idle call.
    std::function<void(std::chrono::microseconds)> sleep;
};

// The game program's one top-level object: it owns the levels, the pieces, the
// play model of the level on screen, the music player and the views, paces
// play with timers, and turns input into requests.
class Game : public PlayListener, public MenuActions {
public:
    // Builds the music player (reads Config/DJ.dat), the views (the HUD opens
    // its menu font) and the status overlay (reads Config/Status.dat).
    explicit Game(const GameServices& services);
    ~Game() override;
    Game(const Game&) = delete;
    Game& operator=(const Game&) = delete;

    // After the display exists: fonts, the display's set-up, the levels and
    // pieces, and the first level shown paused.
    void startUp();

    // Reads Config/Levels.dat, then Config/Pieces.dat, and shows the first
    // level, paused.
    void loadLevelsAndPieces();

    // Every new display: callbacks, the pointer, the views' rendering state
    // and the RenderContext, the music thread.
    void initWindow();
    // False from a display change until the new display has its rendering
    // state: nothing is drawn meanwhile.
    bool displayReady() const { return displayReady_; }

    void startLevel(const LevelDef& level);
    void newGame() override;
    void togglePause() override;
    void toggleDisplayMode() override;
    bool fullScreenActive() const override;
    void changeSong(SongStep step) override;
    void exitGame() override;
    void advanceLevelIndex();
    void restartGravity();

    void onPlayEvent(PlayField& play, PlayEvent event, std::int32_t arg) override;

    // Window-system callbacks. A frame redraws only what changed since the
    // last one where the screen keeps the back buffer, else the whole window.
    FrameChanges drawFrame();
    void reshape(int width, int height);
    void idle();
    void keyboard(unsigned char key, Modifiers modifiers);
    void special(SpecialKey key, Modifiers modifiers);
    void keyboardUp(unsigned char key);
    void mouse(MouseButton button, ButtonState state, int x, int y);
    void motion(int x, int y);

    // State, for the views and for tests.
    PlayField* play() const { return play_.get(); }
    bool paused() const { return paused_; }
    bool frozen() const { return frozen_; }
    std::uint32_t levelIndex() const { return levelIndex_; }
    std::uint32_t dropInterval() const { return dropInterval_; }
    std::uint32_t stepDelay() const { return stepDelay_; }
    std::uint32_t startDelay() const { return startDelay_; }
    std::int32_t gravityGeneration() const { return gravityGeneration_; }
    std::int32_t startGeneration() const { return startGeneration_; }
    const LevelList& levels() const { return levels_; }
    SceneView& scene() { return *scene_; }
    PreviewView& preview() { return *preview_; }
    Hud& hud() { return *hud_; }
    StatusOverlay& status() { return *status_; }
    KeyHelp& keyHelp() { return keyHelp_; }
    Dj& dj() { return *dj_; }
    // What the current display's rendering context holds; none between a
    // display change and the new display's set-up.
    RenderContext* renderContext() { return context_.get(); }

    // Adds 1, skipping 2147483647: generations run through 0 to 2147483646.
    static std::int32_t bumped(std::int32_t generation);
    void initCallbacks();
    void initRendering();

private:
    void quit();
    void toggleFreeze();
    void toggleKeyHelp();
    void armStepTimer(std::uint32_t delay);
    void armStartTimer(std::uint32_t delay);
    void gravityTick(std::int32_t generation);
    void stepTimer(std::int32_t generation);
    void startTimer(std::int32_t generation);
    struct FrameState;
    FrameState frameState() const;
    void drawWhole();
    void redraw(const ViewRect& area, const std::function<void()>& draw, FrameChanges& changes);
    void pieceKey(unsigned char key);
    void shellKey(unsigned char key, Modifiers modifiers);

    GameServices services_;
    // Before the play model, which refers to the pieces' materials.
    PieceSet pieces_;
    std::unique_ptr<PlayField> play_;
    std::unique_ptr<Dj> dj_;
    std::unique_ptr<PreviewView> preview_;
    std::unique_ptr<Hud> hud_;
    std::unique_ptr<StatusOverlay> status_;
    std::unique_ptr<SceneView> scene_;
    std::uint32_t dropInterval_ = 1000;
    std::uint32_t stepDelay_ = 0;
    std::uint32_t startDelay_ = 0;
    bool paused_ = true;
    bool frozen_ = false;
    std::int32_t gravityGeneration_ = 0;
    std::int32_t startGeneration_ = 0;
    // From a new game until the first start timer brings the first piece in.
    bool startPending_ = false;
    // Step timers carry a generation too, so none armed before a resume or a
    // new game ever runs an extra step.
    std::int32_t stepGeneration_ = 0;
    std::uint32_t levelIndex_ = 0;
    // The level on screen, which a won game leaves behind levelIndex_.
    std::uint32_t shownLevel_ = 0;
    KeyHelp keyHelp_;
    bool displayReady_ = true;
    std::int32_t displayGeneration_ = 0;
    LevelList levels_;
    std::chrono::steady_clock::time_point lastAnimationStep_ {};
    // What the last frame showed; none: the next one is drawn whole.
    std::unique_ptr<FrameState> drawn_;
    // Last, so it goes first: while the display it belongs to is still there.
    std::unique_ptr<RenderContext> context_;
};

} // namespace cubrava
