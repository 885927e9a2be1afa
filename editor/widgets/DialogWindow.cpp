#include "DialogWindow.h"

#include "HistoryKeys.h"

#include <FL/Fl.H>

#include <utility>

namespace cubrava {

DialogWindow::DialogWindow(int w, int h, const char* title, std::function<void(HistoryStep)> onHistoryKey)
    : Fl_Double_Window(w, h, title)
    , onHistoryKey_(std::move(onHistoryKey))
{
}

int DialogWindow::handle(int event)
{
    // A key the focused widget leaves comes here on its way up.
    if (event == FL_KEYBOARD || event == FL_SHORTCUT) {
        if (const auto step = historyStepOfKeyEvent()) {
            onHistoryKey_(*step);
            return 1;
        }
    }
    return Fl_Double_Window::handle(event);
}

} // namespace cubrava
