#pragma once

#include "TextDrawing.h"
#include "TextFont.h"

#include <string>

namespace cubrava {

class RenderContext;

// One text button of the pause menu. It measures its label with the shared
// menu font, keeps its hit rectangle in window pixels (origin top left) and
// draws its label in panel units. What it does is up to its kind.
class MenuButton {
public:
    static constexpr TextColour NormalColour { 0.0f, 0.5f, 0.8f };
    static constexpr TextColour HoverColour { 1.0f, 1.0f, 0.7f };

    // (x, y): the label's origin in panel units; row: the baseline's height as
    // a fraction of the panel height.
    MenuButton(const TextFont& font, std::string label, float x, float y, double row);
    virtual ~MenuButton() = default;
    MenuButton(const MenuButton&) = delete;
    MenuButton& operator=(const MenuButton&) = delete;

    virtual void activate() = 0;

    const std::string& label() const { return label_; }
    void setLabel(const std::string& label);
    // Measures the label again; the menu font got a new size.
    void measure();
    int labelWidth() const { return labelWidth_; }
    int labelHeight() const { return labelHeight_; }
    int labelDescender() const { return labelDescender_; }

    float x() const { return x_; }
    float y() const { return y_; }
    double row() const { return row_; }

    // Panel rectangle (origin bottom left) and window height.
    void layout(int panelX, int panelY, int panelHeight, int windowHeight);
    int hitLeft() const { return hitLeft_; }
    int hitBaseline() const { return hitBaseline_; }

    // Strictly inside the label's box; (mx, my) from the window's top left.
    bool contains(int mx, int my) const;
    // Pixels from my to the label's text row, the band between its baseline
    // and the top of its small letters; 0 inside it. Neighbouring boxes
    // overlap, their rows do not.
    int rowDistance(int my) const;

    bool hovered() const { return hovered_; }
    const TextColour& normalColour() const { return NormalColour; }
    const TextColour& hoverColour() const { return HoverColour; }
    const TextColour& colour() const { return hovered_ ? HoverColour : NormalColour; }
    // Returns whether the colour changed.
    bool setHovered(bool hovered);

    // Draws the label at (x, y) under the current panel projection.
    void draw(RenderContext& context, const TextDrawing& text) const;

private:
    const TextFont& font_;
    std::string label_;
    float x_;
    float y_;
    double row_;
    int labelWidth_ = 0;
    int labelHeight_ = 0;
    int labelDescender_ = 0;
    int smallLetterTop_ = 0; // above the baseline
    int hitLeft_ = 0;
    int hitBaseline_ = 0;
    bool hovered_ = false;
};

} // namespace cubrava
