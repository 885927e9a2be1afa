#pragma once

#include "editor/dialog/ViewListener.h"

#include <optional>

namespace cubrava {

// The undo or redo step the toolkit's current key event asks for, if any.
std::optional<HistoryStep> historyStepOfKeyEvent();

} // namespace cubrava
