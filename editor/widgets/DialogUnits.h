#pragma once

#include <initializer_list>

class Fl_Box;
class Fl_Group;

namespace cubrava {

// The dialogs are laid out in dialog units of an 8-point font whose average
// character is 6 by 13 pixels: a unit is a quarter of that width across and
// an eighth of that height down.
struct UnitRect {
    int x, y, w, h;
};

struct PixelRect {
    int x, y, w, h;
};

inline int unitsAcross(int units)
{
    return (units * 6 + 2) / 4; // rounded
}

inline int unitsDown(int units)
{
    return (units * 13 + 4) / 8;
}

inline PixelRect toPixels(const UnitRect& r)
{
    return { unitsAcross(r.x), unitsDown(r.y), unitsAcross(r.w), unitsDown(r.h) };
}

// A widget of the window being built, at a place given in units; the window
// owns it.
template <typename Widget, typename... Extra> Widget* place(const UnitRect& where, Extra... extra)
{
    PixelRect p = toPixels(where);
    return new Widget(p.x, p.y, p.w, p.h, extra...);
}

enum class LabelAlign {
    Left,
    Centre,
    Right,
};

// A line of static text whose letters start (or end, or centre) exactly in
// the place given, which is the room it must fit in.
Fl_Box* placeLabel(const UnitRect& where, const char* text, LabelAlign align = LabelAlign::Left);

// A label and the width in units it must fit in; buttons leave room for
// their frame.
struct LabelSpace {
    const char* text;
    int widthUnits;
    bool button = false;
};

// The largest size of the toolkit's sans font at which every label fits,
// from 14 down to 8.
int fittingFontSize(std::initializer_list<LabelSpace> labels);

// Gives every widget of the group, and of groups inside it, that font size
// for its label and its text.
void applyFontSize(Fl_Group& group, int size);

} // namespace cubrava
