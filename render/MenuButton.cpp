#include "MenuButton.h"

#include <GL/gl.h>

#include <utility>

namespace cubrava {

MenuButton::MenuButton(const TextFont& font, std::string label, float x, float y, double row)
    : font_(font)
    , label_(std::move(label))
    , x_(x)
    , y_(y)
    , row_(row)
{
    measure();
}

void MenuButton::setLabel(const std::string& label)
{
    label_ = label;
    measure();
}

void MenuButton::measure()
{
    // A font without a size measures every text as 0.
    labelWidth_ = font_.textWidth(label_);
    labelHeight_ = font_.lineHeight();
    labelDescender_ = font_.descender();
    smallLetterTop_ = font_.hasSize() ? font_.glyph('x').top : 0;
}

void MenuButton::layout(int panelX, int panelY, int panelHeight, int windowHeight)
{
    hitLeft_ = static_cast<int>(panelX + 0.08 * panelHeight);
    hitBaseline_ = windowHeight - static_cast<int>(panelY + row_ * panelHeight);
}

bool MenuButton::contains(int mx, int my) const
{
    return hitLeft_ < mx && mx < hitLeft_ + labelWidth_ && hitBaseline_ - labelHeight_ < my
        && my < hitBaseline_ - labelDescender_;
}

int MenuButton::rowDistance(int my) const
{
    const int top = hitBaseline_ - smallLetterTop_;
    if (my < top)
        return top - my;
    return my > hitBaseline_ ? my - hitBaseline_ : 0;
}

bool MenuButton::setHovered(bool hovered)
{
    bool changed = hovered != hovered_;
    hovered_ = hovered;
    return changed;
}

void MenuButton::draw(RenderContext& context, const TextDrawing& text) const
{
    const TextColour& c = colour();
    glPushMatrix();
    glTranslatef(x_, y_, 0.0f);
    glColor3f(c.red, c.green, c.blue);
    text.draw(context, font_, label_);
    glPopMatrix();
}

} // namespace cubrava
