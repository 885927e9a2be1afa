#include "ViewListener.h"

namespace cubrava {

std::optional<HistoryStep> historyStepForKey(char letter, bool control, bool shift)
{
    if (!control)
        return std::nullopt;
    if (letter == 'z' || letter == 'Z')
        return shift ? HistoryStep::Redo : HistoryStep::Undo;
    if (letter == 'y' || letter == 'Y')
        return HistoryStep::Redo;
    return std::nullopt;
}

} // namespace cubrava
