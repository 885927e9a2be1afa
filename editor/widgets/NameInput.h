#pragma once

#include <FL/Fl_Input.H>

namespace cubrava {

// A one-line text edit that leaves the undo and redo keys to its window, so
// they act on the editor's steps as everywhere else in it.
class NameInput : public Fl_Input {
public:
    NameInput(int x, int y, int w, int h);

    int handle(int event) override;
};

} // namespace cubrava
