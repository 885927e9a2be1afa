#include "LevelProgress.h"

#include "PlayField.h"

#include <utility>

namespace cubrava {

LevelProgress::LevelProgress(std::function<void()> goalReached)
    : goalReached_(std::move(goalReached))
{
}

void LevelProgress::onPlayEvent(PlayField& play, PlayEvent event, std::int32_t)
{
    switch (event) {
    case PlayEvent::Started:
        lines_ = 0;
        break;
    case PlayEvent::LayerCleared:
        ++lines_;
        break;
    case PlayEvent::TurnFinished: {
        if (!level_)
            break;
        // A goal stored negative widens to a huge unsigned value and is never reached.
        const auto goal = static_cast<std::uint32_t>(static_cast<std::int32_t>(level_->goal));
        if (lines_ >= goal) {
            if (goalReached_)
                goalReached_();
            play.stop();
        }
        break;
    }
    default:
        break;
    }
}

} // namespace cubrava
