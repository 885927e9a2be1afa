#include "SceneView.h"

#include "DisplayService.h"
#include "ShardBurst.h"
#include "SparkBurst.h"
#include "ViewSector.h"
#include "model/PlayField.h"

#include <memory>

namespace cubrava {

SceneView::SceneView(WindowService& display, TimerService& timers)
    : display_(display)
    , control_(display, timers)
{
}

SceneView::~SceneView() = default;

void SceneView::attach(PlayField& play)
{
    ++staticVersion_;
    ++pieceVersion_;
    play_ = &play;
    play.addListener(*this);
    control_.setPit(play.pit().width(), play.pit().depth(), play.pit().pitHeight());
}

void SceneView::onPlayEvent(PlayField& play, PlayEvent event, std::int32_t arg)
{
    switch (event) {
    case PlayEvent::Started:
        effects_.clear();
        ++staticVersion_;
        display_.postRedisplay();
        break;
    case PlayEvent::GameOver:
    case PlayEvent::Stopped:
        break;
    case PlayEvent::PieceSpawned:
    case PlayEvent::PieceMoved:
    case PlayEvent::PieceRotated:
        ++pieceVersion_;
        display_.postRedisplay();
        break;
    case PlayEvent::PieceLanded:
        ++staticVersion_;
        ++pieceVersion_;
        display_.postRedisplay();
        break;
    case PlayEvent::LayerClearing:
        // The layer's cells are still filled: the shards take their colours.
        effects_.add(std::make_unique<SparkBurst>(play.pit(), arg));
        effects_.add(std::make_unique<ShardBurst>(play.pit(), arg));
        break;
    case PlayEvent::LayerCleared:
    case PlayEvent::LayerDropped:
        ++staticVersion_;
        display_.postRedisplay();
        break;
    default:
        display_.postRedisplay();
        break;
    }
}

void SceneView::moveRelative(RelativeDirection direction)
{
    if (!play_)
        return;
    if (auto kind = relativeMove(viewSector(), direction))
        play_->move(*kind);
}

void SceneView::turnRelative(TurnAxis axis)
{
    if (!play_)
        return;
    if (auto turn = relativeTurn(viewSector(), axis))
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
