#include "NameInput.h"

#include "HistoryKeys.h"

#include <FL/Fl.H>

namespace cubrava {

NameInput::NameInput(int x, int y, int w, int h)
    : Fl_Input(x, y, w, h)
{
}

int NameInput::handle(int event)
{
    if (event == FL_KEYBOARD && historyStepOfKeyEvent())
        return 0;
    return Fl_Input::handle(event);
}

} // namespace cubrava
