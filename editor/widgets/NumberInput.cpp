#include "NumberInput.h"

#include "HistoryKeys.h"

#include <FL/Fl.H>
#include <FL/fl_draw.H>

#include <algorithm>
#include <cctype>
#include <cstring>

namespace cubrava {

namespace {

constexpr int TextMargin = 6; // the edit's own left margin plus the cursor's room

bool isDigits(const char* text, int length)
{
    return std::all_of(text, text + length, [](char c) { return std::isdigit(static_cast<unsigned char>(c)); });
}

bool typesText()
{
    return Fl::event_length() > 0 && !(Fl::event_state() & (FL_CTRL | FL_ALT | FL_META))
        && static_cast<unsigned char>(Fl::event_text()[0]) >= ' ';
}

} // namespace

NumberInput::NumberInput(int x, int y, int w, int h, int maxDigits)
    : Fl_Input(x, y, w, h)
{
    maximum_size(maxDigits);
    when(FL_WHEN_CHANGED);
}

void NumberInput::show(const std::string& text)
{
    value(text.c_str());
    redraw();
}

int NumberInput::shift() const
{
    fl_font(textfont(), textsize());
    int room = w() - Fl::box_dw(box());
    int text = static_cast<int>(fl_width(value(), size()));
    return std::max(0, room - text - TextMargin);
}

int NumberInput::handle(int event)
{
    // The undo and redo keys act on the editor's steps, in the window.
    if (event == FL_KEYBOARD && historyStepOfKeyEvent())
        return 0;
    if (event == FL_KEYBOARD && typesText() && !isDigits(Fl::event_text(), Fl::event_length()))
        return 1; // swallowed, as a digits-only edit does
    if (event == FL_PASTE && !isDigits(Fl::event_text(), Fl::event_length()))
        return 1;

    // Mouse positions are taken as if the text stood at the left, where the
    // edit itself draws it.
    bool mouse = event == FL_PUSH || event == FL_DRAG || event == FL_RELEASE;
    int offset = mouse ? shift() : 0;
    Fl::e_x -= offset;
    int used = Fl_Input::handle(event);
    Fl::e_x += offset;
    // The text moves as it grows, so partial redraws would leave traces.
    if (damage())
        redraw();
    return used;
}

void NumberInput::draw()
{
    Fl_Boxtype frame = box();
    draw_box(frame, color());
    int offset = shift();
    drawtext(x() + Fl::box_dx(frame) + offset, y() + Fl::box_dy(frame), w() - Fl::box_dw(frame) - offset,
        h() - Fl::box_dh(frame));
}

} // namespace cubrava
