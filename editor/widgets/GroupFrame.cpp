#include "GroupFrame.h"

#include <FL/fl_draw.H>

namespace cubrava {

namespace {
constexpr int TitleIndent = 6;
constexpr int TitlePadding = 2;
} // namespace

GroupFrame::GroupFrame(int x, int y, int w, int h, const char* title)
    : Fl_Box(x, y, w, h, title)
{
    box(FL_NO_BOX);
}

void GroupFrame::draw()
{
    fl_font(labelfont(), labelsize());
    int top = y() + fl_height() / 2;
    fl_draw_box(FL_ENGRAVED_FRAME, x(), top, w(), h() - (top - y()), color());
    int titleWidth = static_cast<int>(fl_width(label())) + 2 * TitlePadding;
    fl_color(color());
    fl_rectf(x() + TitleIndent, y(), titleWidth, fl_height());
    fl_color(labelcolor());
    fl_draw(label(), x() + TitleIndent + TitlePadding, y() + fl_height() - fl_descent());
}

} // namespace cubrava
