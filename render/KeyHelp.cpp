#include "KeyHelp.h"

#include "PixelTransforms.h"

#include <GL/gl.h>

#include <algorithm>

namespace cubrava {

namespace {

constexpr int LargestSize = 28;
constexpr int SmallestSize = 6;
constexpr double Margin = 0.05; // of the pit's width, on either side
constexpr float VeilAlpha = 0.72f;
constexpr TextColour HeadingColour { 0.4f, 1.0f, 1.0f };
constexpr TextColour KeyColour { 1.0f, 0.85f, 0.2f };
constexpr TextColour DescriptionColour { 1.0f, 1.0f, 1.0f };

// Lines in the top third: the heading and the first keys; the rest go below.
constexpr std::size_t TopKeys = 6;

} // namespace

const std::vector<std::pair<std::string, std::string>>& KeyHelp::keys()
{
    static const std::vector<std::pair<std::string, std::string>> table {
        { "8 2 4 6, arrows", "move the piece; the yellow arrows mark forward" },
        { "* - /", "turn the piece about the three axes" },
        { "Enter", "lower it one layer" },
        { "0, Insert", "drop it; again to land it at once" },
        { "A G  S F  E C  W X", "zoom, orbit, tilt, raise and lower" },
        { "B", "look straight down" },
        { "Alt + N", "new game" },
        { "Esc, F5", "pause; the menu works with the mouse" },
        { "F6", "full screen or a window" },
        { ",  .", "previous and next song" },
        { "Alt + [  Alt + ]", "the level the next game starts" },
        { "Alt + Q", "quit" },
        { "F1", "this help, again to hide it" },
    };
    return table;
}

void KeyHelp::init(const std::string& fontFile)
{
    font_.open(fontFile);
}

void KeyHelp::setViewport(const ViewRect& rect)
{
    viewport_ = rect;
    if (visible_)
        fit();
}

void KeyHelp::show(int level, int levels)
{
    heading_ = "Level " + std::to_string(level + 1) + " of " + std::to_string(levels);
    visible_ = true;
    fit();
}

void KeyHelp::fit()
{
    if (viewport_.width <= 0 || viewport_.height <= 0)
        return;
    const double room = viewport_.width * (1.0 - 2.0 * Margin);
    const std::size_t bottomLines = keys().size() - TopKeys;
    const double band = viewport_.height / 3.0;
    const std::size_t mostLines = std::max(TopKeys + 1, bottomLines);
    for (int size = LargestSize;; --size) {
        font_.setSize(size);
        int keyWidth = 0, descriptionWidth = 0;
        for (const auto& [key, description] : keys()) {
            keyWidth = std::max(keyWidth, font_.textWidth(key));
            descriptionWidth = std::max(descriptionWidth, font_.textWidth(description));
        }
        keyColumn_ = keyWidth + font_.textWidth("    ");
        const bool fits = keyColumn_ + descriptionWidth <= room
            && static_cast<double>(font_.lineHeight()) * static_cast<double>(mostLines) <= band;
        if (fits || size <= SmallestSize)
            return;
    }
}

void KeyHelp::draw(RenderContext& context, const TextDrawing& text) const
{
    if (!visible_ || viewport_.width <= 0 || viewport_.height <= 0 || !font_.hasSize())
        return;
    glViewport(viewport_.x, viewport_.y, viewport_.width, viewport_.height);
    const PixelTransforms pixels(viewport_);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);

    glColor4f(0.0f, 0.0f, 0.0f, VeilAlpha);
    glRectf(0.0f, 0.0f, static_cast<float>(viewport_.width), static_cast<float>(viewport_.height));

    const float left = static_cast<float>(viewport_.width * Margin);
    const float line = static_cast<float>(font_.lineHeight());
    // Baselines, from the top of each band down.
    float baseline = static_cast<float>(viewport_.height) - line;
    auto write = [&](float x, const std::string& words, const TextColour& colour) {
        glColor3f(colour.red, colour.green, colour.blue);
        glPushMatrix();
        glTranslatef(x, baseline - static_cast<float>(font_.descender()), 0.0f);
        text.draw(context, font_, words);
        glPopMatrix();
    };
    write(left, heading_, HeadingColour);
    for (std::size_t i = 0; i < keys().size(); ++i) {
        if (i == TopKeys)
            baseline = static_cast<float>(viewport_.height) / 3.0f;
        baseline -= line;
        write(left, keys()[i].first, KeyColour);
        write(left + static_cast<float>(keyColumn_), keys()[i].second, DescriptionColour);
    }

    glDisable(GL_BLEND);
}

} // namespace cubrava
