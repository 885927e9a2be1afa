#include "ViewEventRelay.h"

namespace cubrava {

void ViewEventRelay::selectionChanged(bool noSelection, bool anyOccupied)
{
    queue_.post([this, noSelection, anyOccupied] {
        if (listener_)
            listener_->selectionChanged(noSelection, anyOccupied);
    });
}

void ViewEventRelay::blockPicked(const std::optional<Material>& material)
{
    queue_.post([this, copy = material] {
        if (listener_)
            listener_->blockPicked(copy);
    });
}

void ViewEventRelay::historyRequested(HistoryStep step)
{
    queue_.post([this, step] {
        if (listener_)
            listener_->historyRequested(step);
    });
}

} // namespace cubrava
