#include "SceneView.h"

#include "DisplayService.h"
#include "PitDrawing.h"
#include "ShardBurst.h"
#include "SparkBurst.h"
#include "TimerService.h"
#include "ViewSector.h"
#include "model/PlayField.h"

#include <cctype>
#include <memory>

namespace cubrava {

SceneView::SceneView(DisplayService& display, TimerService& timers)
    : display_(display)
    , timers_(timers)
{
}

// The lists belong to a rendering context that may be gone by now; the shell
// releases them while it exists (releaseLists).
SceneView::~SceneView() = default;

void SceneView::attach(PlayField& play)
{
    deleteLists();
    play_ = &play;
    play.addListener(*this);
    limits_ = CameraLimits::forPit(play.width(), play.depth(), play.pitHeight());
    camera_.reset(limits_);
}

void SceneView::releaseLists()
{
    deleteLists();
}

void SceneView::deleteLists()
{
    for (unsigned* list : { &staticList_, &pieceList_, &markerList_ }) {
        if (*list != 0)
            display_.deleteList(*list);
        *list = 0;
    }
}

void SceneView::rebuild(unsigned& list, const std::function<void()>& content)
{
    if (list != 0)
        display_.deleteList(list);
    list = display_.newList();
    if (list != 0)
        display_.compileList(list, content);
}

void SceneView::ensureList(unsigned& list, const std::function<void()>& content)
{
    if (list != 0)
        return;
    list = display_.newList();
    if (list != 0)
        display_.compileList(list, content);
}

void SceneView::rebuildStatic()
{
    if (!play_)
        return;
    prepareStaticTextures(*play_);
    const PlayField& play = *play_;
    rebuild(staticList_, [&play] { drawStaticContent(play); });
}

void SceneView::rebuildPiece()
{
    if (!play_)
        return;
    preparePieceTextures(*play_);
    const PlayField& play = *play_;
    rebuild(pieceList_, [&play] { drawPieceContent(play); });
}

void SceneView::onPlayEvent(PlayField& play, PlayEvent event, std::int32_t arg)
{
    switch (event) {
    case PlayEvent::Started:
        effects_.clear();
        rebuildStatic();
        display_.postRedisplay();
        break;
    case PlayEvent::GameOver:
    case PlayEvent::Stopped:
        break;
    case PlayEvent::PieceSpawned:
    case PlayEvent::PieceMoved:
    case PlayEvent::PieceRotated:
        rebuildPiece();
        display_.postRedisplay();
        break;
    case PlayEvent::PieceLanded:
        rebuildStatic();
        rebuildPiece();
        display_.postRedisplay();
        break;
    case PlayEvent::LayerClearing:
        // The layer's cells are still filled: the shards take their colours.
        effects_.add(std::make_unique<SparkBurst>(play, arg));
        effects_.add(std::make_unique<ShardBurst>(play, arg));
        break;
    case PlayEvent::LayerCleared:
    case PlayEvent::LayerDropped:
        rebuildStatic();
        display_.postRedisplay();
        break;
    default:
        display_.postRedisplay();
        break;
    }
}

void SceneView::keyDown(unsigned char key)
{
    if (std::toupper(key) == 'B') {
        camera_.topView = !camera_.topView;
        display_.postRedisplay();
        return;
    }
    if (std::uint32_t bit = cameraMotionBit(key))
        holdBit(bit);
}

void SceneView::keyUp(unsigned char key)
{
    motion_ &= ~cameraMotionBit(key);
}

void SceneView::mouseButton(int button, int state)
{
    std::uint32_t bit = 0;
    if (button == 0)
        bit = CameraMotion::Raise;
    else if (button == 2)
        bit = CameraMotion::Lower;
    else
        return;
    if (state == 0)
        holdBit(bit);
    else if (state == 1)
        motion_ &= ~bit;
}

void SceneView::holdBit(std::uint32_t bit)
{
    if (camera_.topView || (motion_ & bit))
        return;
    const bool wasIdle = motion_ == 0;
    motion_ |= bit;
    // A tick still on its way carries on the chain; starting another would
    // double the speed (X key repeat releases and presses a held key).
    if (wasIdle && !tickPending_)
        tick();
}

void SceneView::tick()
{
    tickPending_ = false;
    if (camera_.topView || motion_ == 0 || !camera_.step(motion_, limits_))
        return;
    display_.postRedisplay();
    tickPending_ = true;
    std::weak_ptr<bool> token = token_;
    timers_.after(TickMs, [this, token] {
        if (!token.expired())
            tick();
    });
}

void SceneView::releaseMotion()
{
    motion_ = 0;
    display_.postRedisplay();
}

void SceneView::mouseMotion(int x, int y)
{
    if (ignoreNextMotion_) {
        ignoreNextMotion_ = false;
        return;
    }
    if (mouseCentreX_ == -1 && mouseCentreY_ == -1) {
        mouseCentreX_ = static_cast<std::int16_t>(display_.windowWidth() / 2);
        mouseCentreY_ = static_cast<std::int16_t>(display_.windowHeight() / 2);
    } else {
        if (camera_.turnBy(x - mouseCentreX_, y - mouseCentreY_))
            display_.postRedisplay();
    }
    // A pointer already at the centre would not move, and the motion we would
    // then wait to ignore is the player's next real one.
    if (x == mouseCentreX_ && y == mouseCentreY_)
        return;
    ignoreNextMotion_ = true;
    display_.warpPointer(mouseCentreX_, mouseCentreY_);
}

void SceneView::warpToCentre()
{
    // Before the first motion there is no centre to go back to.
    if (mouseCentreX_ == -1 && mouseCentreY_ == -1)
        return;
    ignoreNextMotion_ = true;
    display_.warpPointer(mouseCentreX_, mouseCentreY_);
}

int SceneView::viewSector() const
{
    return cubrava::viewSector(camera_);
}

void SceneView::moveRelative(int direction)
{
    if (!play_)
        return;
    if (auto kind = relativeMove(viewSector(), direction))
        play_->move(*kind);
}

void SceneView::turnRelative(int kind)
{
    if (!play_)
        return;
    if (auto turn = relativeTurn(viewSector(), kind))
        play_->move(*turn);
}

void SceneView::stepEffects()
{
    if (effects_.empty())
        return;
    effects_.stepAll();
    display_.postRedisplay();
}

} // namespace cubrava
