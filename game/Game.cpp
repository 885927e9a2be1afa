#include "Game.h"

#include "data/ProcessWide.h"
#include "platform/FreeMemory.h"

#include "render/AreaRedraw.h"

#include <algorithm>
#include <limits>
#include <utility>

namespace cubrava {

namespace {

const TextColour Green { 0, 1, 0 };
const TextColour Cyan { 0, 1, 1 };
const TextColour Red { 1, 0, 0 };
const TextColour Blue { 0, 0, 1 };
const TextColour Magenta { 1, 0, 1 };

constexpr std::uint32_t LandedStep = 500;
constexpr std::uint32_t ClearedStep = 2000;
constexpr std::uint32_t DroppedStep = 1000;
constexpr std::uint32_t StartPause = 3000;
constexpr std::uint32_t RemarkShown = 1500;
// After a display change, until the new display is set up (see toggleDisplayMode).
constexpr std::uint32_t NewDisplayDelay = 10;
constexpr int RemarkChance = 153;

// Animation (preview turn, particles, title scroll) at most this often, so it
// runs at the same pace with and without synchronised buffer swaps.
constexpr std::chrono::microseconds AnimationStep { 16667 };

} // namespace

std::int32_t Game::bumped(std::int32_t generation)
{
    return generation >= std::numeric_limits<std::int32_t>::max() - 1 ? 0 : generation + 1;
}

Game::Game(const GameServices& services)
    : services_(services)
{
    dj_ = std::make_unique<Dj>();
    preview_ = std::make_unique<PreviewView>(services_.display);
    hud_ = std::make_unique<Hud>(services_.display, *this, [this] { advanceLevelIndex(); });
    status_ = std::make_unique<StatusOverlay>(services_.display);
    scene_ = std::make_unique<SceneView>(services_.display, services_.timers);
}

Game::~Game() = default;

void Game::startUp()
{
    status_->init();
    keyHelp_.init();
    hud_->initFont();
    // The game may start in a window (--windowed): the menu offers the other mode.
    hud_->setDisplayModeLabel(services_.screen.fullScreen());
    initWindow();
    loadLevelsAndPieces();
}

void Game::loadLevelsAndPieces()
{
    readLevels(levels_);
    readPieces(PiecesFileName, pieces_);
    if (!levels_.empty())
        startLevel(levels_[levelIndex_]);
}

void Game::initWindow()
{
    initCallbacks();
    initRendering();
}

void Game::initCallbacks()
{
    services_.screen.setPointerVisible(paused_);
    services_.screen.registerCallbacks();
    services_.screen.setIdleWanted(!paused_);
}

void Game::initRendering()
{
    context_ = std::make_unique<RenderContext>(services_.display);
    drawn_.reset();
    scene_->initGl();
    dj_->startThread();
    preview_->initGl();
    hud_->initGl();
}

void Game::startLevel(const LevelDef& level)
{
    play_.reset();
    play_ = std::make_unique<PlayField>(level, pieces_);
    play_->addListener(*this);
    play_->addListener(*hud_);
    play_->addListener(*dj_);
    preview_->attach(*play_);
    scene_->attach(*play_);
    hud_->showLevel(level);
    dropInterval_ = static_cast<std::uint32_t>(static_cast<std::int32_t>(level.drop));
    if (&level >= levels_.data() && &level < levels_.data() + levels_.size())
        shownLevel_ = static_cast<std::uint32_t>(&level - levels_.data());
}

// --- pacing ---

void Game::restartGravity()
{
    gravityGeneration_ = bumped(gravityGeneration_);
    const std::int32_t generation = gravityGeneration_;
    services_.timers.after(dropInterval_, [this, generation] { gravityTick(generation); });
}

void Game::gravityTick(std::int32_t generation)
{
    if (paused_ || frozen_ || generation != gravityGeneration_ || !play_ || !play_->isRunning())
        return;
    play_->move(MoveKind::StepDown);
    // If the step ended play, its reaction bumped the generation and this chain ends here.
    services_.timers.after(dropInterval_, [this, generation] { gravityTick(generation); });
    if (rand() % RemarkChance == 0) {
        const unsigned remark = status_->showRandom(RandomMessages, Blue);
        services_.timers.after(RemarkShown, [this, remark] { status_->hideMessage(remark); });
    }
}

void Game::armStepTimer(std::uint32_t delay)
{
    const std::int32_t generation = stepGeneration_;
    services_.timers.after(delay, [this, generation] { stepTimer(generation); });
}

void Game::stepTimer(std::int32_t generation)
{
    if (paused_ || generation != stepGeneration_)
        return;
    stepDelay_ = 0;
    if (play_)
        play_->advance();
}

void Game::armStartTimer(std::uint32_t delay)
{
    const std::int32_t generation = startGeneration_;
    services_.timers.after(delay, [this, generation] { startTimer(generation); });
}

void Game::startTimer(std::int32_t generation)
{
    if (generation != startGeneration_ || paused_)
        return;
    startDelay_ = 0;
    status_->hide();
    // A resume re-arms the start without withdrawing the one armed before the
    // pause; whichever fires first brings the piece in, a later one must not
    // run a queued step early.
    if (startPending_ && play_) {
        startPending_ = false;
        play_->advance();
    }
    restartGravity();
}

void Game::onPlayEvent(PlayField& play, PlayEvent event, std::int32_t)
{
    switch (event) {
    case PlayEvent::GameOver:
    case PlayEvent::Stopped:
        gravityGeneration_ = bumped(gravityGeneration_);
        if (!paused_)
            togglePause();
        if (event == PlayEvent::GameOver)
            status_->showRandom(LoseMessages, Red);
        else
            status_->showRandom(WinMessages, Cyan);
        services_.display.postRedisplay();
        break;
    case PlayEvent::TurnFinished:
        play.advance();
        break;
    case PlayEvent::PieceLanded:
        stepDelay_ = LandedStep;
        armStepTimer(stepDelay_);
        break;
    case PlayEvent::LayerCleared:
        stepDelay_ = ClearedStep;
        armStepTimer(stepDelay_);
        break;
    case PlayEvent::LayerDropped:
        stepDelay_ = DroppedStep;
        armStepTimer(stepDelay_);
        break;
    default:
        break;
    }
}

// --- the player's requests ---

void Game::newGame()
{
    if (paused_)
        togglePause();
    gravityGeneration_ = bumped(gravityGeneration_);
    // Whatever step was pending belonged to the old play model.
    stepGeneration_ = bumped(stepGeneration_);
    stepDelay_ = 0;
    startLevel(levels_[levelIndex_]);
    play_->start();
    status_->showRandom(StartMessages, Green);
    startGeneration_ = bumped(startGeneration_);
    startDelay_ = StartPause;
    startPending_ = true;
    armStartTimer(startDelay_);
}

void Game::togglePause()
{
    if (!paused_) {
        paused_ = true;
        scene_->releaseMotion();
        services_.screen.setPointerVisible(true);
        services_.screen.setIdleWanted(false);
        if (play_ && play_->isRunning())
            status_->show("PAUSED", Magenta);
        hud_->setPaused(true);
        return;
    }
    paused_ = false;
    frozen_ = false;
    keyHelp_.hide();
    if (play_ && play_->isRunning()) {
        status_->hide();
        restartGravity();
    }
    services_.screen.setPointerVisible(false);
    services_.screen.setIdleWanted(true);
    scene_->warpToCentre();
    // A pending step or start completes after half its delay, however long the pause.
    if (stepDelay_ > 0) {
        stepDelay_ = static_cast<std::uint32_t>(stepDelay_ * 0.5);
        stepGeneration_ = bumped(stepGeneration_);
        armStepTimer(stepDelay_);
    }
    if (startDelay_ > 0) {
        startDelay_ = static_cast<std::uint32_t>(startDelay_ * 0.5);
        armStartTimer(startDelay_);
    }
    hud_->setPaused(false);
}

// The keys over the pit, play paused as Esc pauses it. Hiding them leaves play
// paused; resuming it hides them.
void Game::toggleKeyHelp()
{
    if (keyHelp_.visible()) {
        keyHelp_.hide();
    } else {
        if (!paused_)
            togglePause();
        keyHelp_.show(static_cast<int>(shownLevel_), static_cast<int>(levels_.size()));
    }
    services_.display.postRedisplay();
}

void Game::toggleFreeze()
{
    if (!frozen_) {
        frozen_ = true;
        return;
    }
    frozen_ = false;
    paused_ = false;
    keyHelp_.hide();
    if (play_ && play_->isRunning())
        restartGravity();
    services_.screen.setPointerVisible(false);
    services_.screen.setIdleWanted(true);
}

void Game::toggleDisplayMode()
{
    // Every object of the old rendering context goes while it is still current.
    context_.reset();
    const bool toWindow = services_.screen.fullScreen();
    if (toWindow) {
        services_.screen.leaveFullScreen();
        services_.screen.openWindow();
    } else {
        services_.screen.closeWindow();
        services_.screen.enterFullScreen();
    }
    initCallbacks();
    hud_->setDisplayModeLabel(!toWindow);
    // The menu lights what the pointer is over on the new display.
    hud_->setPointer(services_.screen.pointerPlace());

    // GLUT takes the old display and its rendering context down only once
    // this callback has returned. The new context gets its state, and draws,
    // a moment later, so the two never hold their memory at the same time;
    // what the old one freed goes back to the system first.
    displayReady_ = false;
    displayGeneration_ = bumped(displayGeneration_);
    const std::int32_t generation = displayGeneration_;
    services_.timers.after(NewDisplayDelay, [this, generation] {
        if (generation != displayGeneration_)
            return;
        returnFreeMemory();
        initRendering();
        displayReady_ = true;
        services_.display.postRedisplay();
    });
}

bool Game::fullScreenActive() const
{
    return services_.screen.fullScreen();
}

void Game::changeSong(SongStep step)
{
    dj_->changeSong(step);
}

void Game::exitGame()
{
    services_.exitProcess(0);
}

void Game::quit()
{
    dj_->stopThread();
    services_.exitProcess(0);
}

void Game::advanceLevelIndex()
{
    const auto last = static_cast<std::uint32_t>(levels_.size() - 1);
    levelIndex_ = levelIndex_ + 1 < last ? levelIndex_ + 1 : last;
}

// --- the window system ---

// Everything a view shows is told by these values: a frame compares them
// with the last frame's and redraws the areas whose values moved. Whatever
// lies over the pit (the scene's effects, status line and key help) counts
// as the pit's.
struct Game::FrameState {
    std::uint64_t sceneStatic = 0, scenePiece = 0;
    Camera camera;
    ViewRect sceneViewport;
    bool effects = false;
    bool statusVisible = false;
    std::string statusText;
    TextColour statusColour;
    int statusSize = 0;
    ViewRect statusViewport;
    bool helpVisible = false;
    std::string helpHeading;
    int helpSize = 0;
    ViewRect helpViewport;

    std::uint64_t previewPiece = 0;
    float previewAngle = 0.0f;
    ViewRect previewViewport;

    std::uint64_t hudChanges = 0;
    float hudScroll = 0.0f;
    ViewRect hudViewport;
};

namespace {

bool operator==(const Camera& a, const Camera& b)
{
    return a.yaw == b.yaw && a.pitch == b.pitch && a.distance == b.distance && a.heightOffset == b.heightOffset
        && a.topView == b.topView;
}

} // namespace

Game::FrameState Game::frameState() const
{
    FrameState s;
    s.sceneStatic = scene_->staticVersion();
    s.scenePiece = scene_->pieceVersion();
    s.camera = scene_->camera();
    s.sceneViewport = scene_->viewport();
    s.effects = !scene_->effects().empty();
    s.statusVisible = status_->visible();
    s.statusText = status_->text();
    s.statusColour = status_->colour();
    s.statusSize = status_->fontSize();
    s.statusViewport = status_->viewport();
    s.helpVisible = keyHelp_.visible();
    s.helpHeading = keyHelp_.heading();
    s.helpSize = keyHelp_.fontSize();
    s.helpViewport = keyHelp_.viewport();
    s.previewPiece = preview_->pieceVersion();
    s.previewAngle = preview_->angle();
    s.previewViewport = preview_->viewport();
    s.hudChanges = hud_->changes();
    s.hudScroll = hud_->scroll();
    s.hudViewport = hud_->viewport();
    return s;
}

FrameChanges Game::drawFrame()
{
    FrameChanges changes;
    if (!context_)
        return changes;
    FrameState now = frameState();
    const FrameState* was = drawn_.get();
    const bool pitSame = was && !now.effects && was->sceneStatic == now.sceneStatic && was->scenePiece == now.scenePiece
        && was->camera == now.camera && was->sceneViewport == now.sceneViewport
        && was->statusVisible == now.statusVisible && was->statusText == now.statusText
        && was->statusColour == now.statusColour && was->statusSize == now.statusSize
        && was->statusViewport == now.statusViewport && was->helpVisible == now.helpVisible
        && was->helpHeading == now.helpHeading && was->helpSize == now.helpSize && was->helpViewport == now.helpViewport
        && was->previewViewport == now.previewViewport && was->hudViewport == now.hudViewport;
    if (!pitSame || !services_.screen.keepsBackBuffer()) {
        drawWhole();
        changes.whole = true;
    } else {
        if (was->previewPiece != now.previewPiece || was->previewAngle != now.previewAngle)
            redraw(
                now.previewViewport, [this] { preview_->draw(*context_); }, changes);
        const ViewRect& panel = now.hudViewport;
        if (was->hudChanges != now.hudChanges) {
            redraw(
                panel, [this] { hud_->draw(*context_); }, changes);
        } else if (was->hudScroll != now.hudScroll) {
            redraw(
                hud_->nameArea(), [this] { hud_->draw(*context_); }, changes);
        }
    }
    drawn_ = std::make_unique<FrameState>(std::move(now));
    return changes;
}

void Game::drawWhole()
{
    scene_->draw(*context_);
    preview_->draw(*context_);
    hud_->draw(*context_);
    // Under the status line: "PAUSED" stays bright over the help's veil.
    keyHelp_.draw(*context_);
    status_->draw(*context_);
}

// The area is drawn as a whole frame draws it there: the scene's clear, then
// its one view, which draws nowhere else; the scene draws nothing there.
void Game::redraw(const ViewRect& area, const std::function<void()>& draw, FrameChanges& changes)
{
    redrawArea(area, draw);
    changes.areas.push_back(area);
}

void Game::reshape(int width, int height)
{
    const int q = width / 4;
    scene_->setViewport(ViewRect { 0, 0, width - q, height });
    preview_->setViewport(ViewRect { width - q, height - q, q, q });
    hud_->setViewport(ViewRect { width - q, 0, q, height - q });
    status_->setViewport(ViewRect { 0, 0, width - q, height });
    keyHelp_.setViewport(ViewRect { 0, 0, width - q, height });
}

void Game::idle()
{
    if (paused_)
        return;
    const auto now = services_.now();
    const auto due = lastAnimationStep_ + AnimationStep;
    if (now < due && services_.sleep) {
        services_.sleep(std::chrono::duration_cast<std::chrono::microseconds>(due - now));
        lastAnimationStep_ = due;
    } else {
        lastAnimationStep_ = now;
    }
    preview_->turnStep();
    scene_->stepEffects();
    hud_->scrollStep();
}

void Game::pieceKey(unsigned char key)
{
    switch (key) {
    case EnterKey:
        play_->move(MoveKind::StepDown);
        restartGravity();
        break;
    case '0':
        play_->move(MoveKind::DropToFloor);
        restartGravity();
        break;
    case '8':
        scene_->moveRelative(RelativeDirection::Forward);
        break;
    case '2':
        scene_->moveRelative(RelativeDirection::Back);
        break;
    case '4':
        scene_->moveRelative(RelativeDirection::Left);
        break;
    case '6':
        scene_->moveRelative(RelativeDirection::Right);
        break;
    case '*':
        scene_->turnRelative(TurnAxis::LeftRight);
        break;
    case '-':
        scene_->turnRelative(TurnAxis::Vertical);
        break;
    case '/':
        scene_->turnRelative(TurnAxis::FrontBack);
        break;
    default:
        break;
    }
}

void Game::shellKey(unsigned char key, Modifiers modifiers)
{
    switch (key) {
    case ',':
    case '<':
        dj_->changeSong(SongStep::Previous);
        return;
    case '.':
    case '>':
        dj_->changeSong(SongStep::Next);
        return;
    case EscapeKey:
    case '`':
    case '~':
        togglePause();
        return;
    default:
        break;
    }
    if (!modifiers.altAlone())
        return;
    switch (key) {
    case '[':
    case '{':
        if (levelIndex_ > 0)
            --levelIndex_;
        break;
    case ']':
    case '}':
        if (levelIndex_ + 1 < levels_.size())
            ++levelIndex_;
        break;
    case 'K':
    case 'k':
        toggleDisplayMode();
        break;
    case 'N':
    case 'n':
        newGame();
        break;
    case 'P':
    case 'p':
        togglePause();
        break;
    case '\\':
        toggleFreeze();
        break;
    case 'Q':
    case 'q':
        quit();
        break;
    default:
        break;
    }
}

void Game::keyboard(unsigned char key, Modifiers modifiers)
{
    if (!paused_ && play_) {
        pieceKey(key);
        scene_->keyDown(key);
    }
    shellKey(key, modifiers);
}

void Game::special(SpecialKey key, Modifiers modifiers)
{
    switch (key) {
    case SpecialKey::F1:
        toggleKeyHelp();
        return;
    case SpecialKey::F5:
        togglePause();
        return;
    case SpecialKey::F6:
        toggleDisplayMode();
        return;
    default:
        break;
    }
    if (const auto digit = keypadDigit(key))
        keyboard(*digit, modifiers);
}

void Game::keyboardUp(unsigned char key)
{
    scene_->keyUp(key);
}

void Game::mouse(MouseButton button, ButtonState state, int x, int y)
{
    if (paused_)
        hud_->buttonChanged(button, state, x, y);
    else
        scene_->mouseButton(button, state);
}

void Game::motion(int x, int y)
{
    if (paused_)
        hud_->pointerMoved(x, y);
    else
        scene_->mouseMotion(x, y);
}

} // namespace cubrava
