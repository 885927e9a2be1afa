#include "DialogUnits.h"

#include <FL/Fl.H>
#include <FL/Fl_Box.H>
#include <FL/Fl_Browser_.H>
#include <FL/Fl_Group.H>
#include <FL/Fl_Input_.H>
#include <FL/Fl_Menu_.H>
#include <FL/fl_draw.H>

namespace cubrava {

namespace {

constexpr int LargestSize = 14;
constexpr int SmallestSize = 8;
constexpr int ButtonFrame = 8; // pixels a button's frame and margins take
constexpr int LabelInset = 3; // the toolkit keeps a label's text this far from its box's sides

bool allFit(std::initializer_list<LabelSpace> labels, int size)
{
    fl_font(FL_HELVETICA, size);
    for (const LabelSpace& label : labels) {
        int room = unitsAcross(label.widthUnits) - (label.button ? ButtonFrame : 0);
        if (fl_width(label.text) > room)
            return false;
    }
    return true;
}

} // namespace

Fl_Box* placeLabel(const UnitRect& where, const char* text, LabelAlign align)
{
    PixelRect p = toPixels(where);
    auto* box = new Fl_Box(p.x - LabelInset, p.y, p.w + 2 * LabelInset, p.h);
    box->copy_label(text);
    box->align((align == LabelAlign::Left           ? FL_ALIGN_LEFT
                       : align == LabelAlign::Right ? FL_ALIGN_RIGHT
                                                    : 0)
        | FL_ALIGN_INSIDE);
    return box;
}

int fittingFontSize(std::initializer_list<LabelSpace> labels)
{
    fl_open_display();
    for (int size = LargestSize; size > SmallestSize; --size)
        if (allFit(labels, size))
            return size;
    return SmallestSize;
}

void applyFontSize(Fl_Group& group, int size)
{
    for (int i = 0; i < group.children(); ++i) {
        Fl_Widget* widget = group.child(i);
        widget->labelfont(FL_HELVETICA);
        widget->labelsize(size);
        if (auto* input = dynamic_cast<Fl_Input_*>(widget))
            input->textsize(size);
        else if (auto* browser = dynamic_cast<Fl_Browser_*>(widget))
            browser->textsize(size);
        else if (auto* menu = dynamic_cast<Fl_Menu_*>(widget))
            menu->textsize(size);
        if (auto* inner = widget->as_group())
            applyFontSize(*inner, size);
    }
}

} // namespace cubrava
