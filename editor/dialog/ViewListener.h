#pragma once

#include "data/Material.h"

#include <optional>

namespace cubrava {

enum class HistoryStep { Undo, Redo };

// The step a key asks for in either of the editor's windows: Ctrl+Z undoes,
// Ctrl+Y and Ctrl+Shift+Z redo. `letter` is the key's letter, either case.
std::optional<HistoryStep> historyStepForKey(char letter, bool control, bool shift);

// What the editing view tells the main dialog. Calls come on the view thread;
// the dialog hands them to its own thread. Values are copies, so nothing the
// view owns crosses the threads.
class ViewListener {
public:
    virtual ~ViewListener() = default;
    // noSelection: the selection is empty; anyOccupied: a selected cell of the
    // current layer holds a cube.
    virtual void selectionChanged(bool noSelection, bool anyOccupied) = 0;
    // The material of a right-clicked cell, or none for an empty cell.
    virtual void blockPicked(const std::optional<Material>& material) = 0;
    // An undo or redo key pressed in the view.
    virtual void historyRequested(HistoryStep step) = 0;
};

} // namespace cubrava
