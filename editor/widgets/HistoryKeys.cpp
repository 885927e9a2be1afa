#include "HistoryKeys.h"

#include <FL/Fl.H>

namespace cubrava {

std::optional<HistoryStep> historyStepOfKeyEvent()
{
    // Letter keys report their lower-case letter, whatever Shift or Caps Lock say.
    const int key = Fl::event_key();
    if (key < 'a' || key > 'z')
        return std::nullopt;
    return historyStepForKey(static_cast<char>(key), Fl::event_state(FL_CTRL) != 0, Fl::event_state(FL_SHIFT) != 0);
}

} // namespace cubrava
