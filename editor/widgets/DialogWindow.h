#pragma once

#include "editor/dialog/ViewListener.h"

#include <FL/Fl_Double_Window.H>

#include <functional>

namespace cubrava {

// The main dialog's window: the undo and redo keys act wherever the focus is
// in it. Its edits leave those keys to it (NameInput, NumberInput).
class DialogWindow : public Fl_Double_Window {
public:
    DialogWindow(int w, int h, const char* title, std::function<void(HistoryStep)> onHistoryKey);

    int handle(int event) override;

private:
    std::function<void(HistoryStep)> onHistoryKey_;
};

} // namespace cubrava
