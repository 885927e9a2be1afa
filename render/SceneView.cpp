#include "SceneView.h"

#include "DisplayService.h"
#include "PitDrawing.h"
#include "ShardBurst.h"
#include "SparkBurst.h"
#include "ViewSector.h"
#include "model/PlayField.h"

#include <memory>

namespace cubrava {

SceneView::SceneView(DisplayService& display, TimerService& timers)
    : display_(display)
    , control_(display, timers)
{
}

// The lists belong to a rendering context that may be gone by now; the shell
// releases them while it exists (releaseLists).
SceneView::~SceneView() = default;

void SceneView::attach(PlayField& play)
{
    listsStale_ = true;
    play_ = &play;
    play.addListener(*this);
    control_.setPit(play.pit().width(), play.pit().depth(), play.pit().pitHeight());
}

void SceneView::releaseLists()
{
    deleteLists();
}

void SceneView::setLandedCubes(LandedCubes how)
{
    if (how == landedCubes_)
        return;
    landedCubes_ = how;
    if (staticList_ != 0)
        display_.deleteList(staticList_);
    staticList_ = 0;
    landedBuilt_ = false;
}

void SceneView::deleteLists()
{
    for (unsigned* list : { &staticList_, &pieceList_, &markerList_ }) {
        if (*list != 0)
            display_.deleteList(*list);
        *list = 0;
    }
    landed_.releaseBuffers();
    landedBuilt_ = false;
    listsStale_ = false;
}

void SceneView::dropStaleLists()
{
    if (listsStale_)
        deleteLists();
}

void SceneView::rebuild(unsigned& list, const std::function<void()>& content)
{
    dropStaleLists();
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
    dropStaleLists();
    if (staticList_ != 0)
        display_.deleteList(staticList_);
    staticList_ = 0;
    landedBuilt_ = false;
    buildStatic();
}

// The static list and, when batched, the landed cubes: what changes only
// when the landed cubes do.
void SceneView::buildStatic()
{
    const Pit& pit = play_->pit();
    prepareStaticTextures(pit);
    const LandedCubes how = landedCubes_;
    ensureList(staticList_, [&pit, how] { drawStaticContent(pit, how); });
    if (!landedBuilt_) {
        landed_.clear();
        if (how == LandedCubes::Batched)
            gatherLandedCubes(pit, landed_);
        landedBuilt_ = true;
    }
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
        effects_.add(std::make_unique<SparkBurst>(play.pit(), arg));
        effects_.add(std::make_unique<ShardBurst>(play.pit(), arg));
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
