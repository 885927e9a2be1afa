#pragma once

#include "TextDrawing.h"
#include "TextFont.h"
#include "ViewRect.h"

#include <string>
#include <utility>
#include <vector>

namespace cubrava {

class RenderContext;

// The game's keys, shown over the pit on a dark veil when the player asks
// for them (F1), with the level on screen and how many there are. The heading
// and the first keys stand in the top third of the pit, the rest in the
// bottom third: the middle keeps "PAUSED" in view.
class KeyHelp {
public:
    // Opens the face (raises the font error when it cannot).
    void init(const std::string& fontFile = FontFileName);
    void setViewport(const ViewRect& rect);

    // level counts from 0.
    void show(int level, int levels);
    void hide() { visible_ = false; }
    bool visible() const { return visible_; }
    // "Level 3 of 14" for the third of fourteen.
    const std::string& heading() const { return heading_; }
    int fontSize() const { return font_.size(); }
    const ViewRect& viewport() const { return viewport_; }

    void draw(RenderContext& context, const TextDrawing& text = TextDrawing()) const;

    // The keys and what they do, in the order shown.
    static const std::vector<std::pair<std::string, std::string>>& keys();

private:
    // The largest size at which every line fits its band.
    void fit();

    ViewRect viewport_;
    bool visible_ = false;
    std::string heading_;
    TextFont font_;
    int keyColumn_ = 0; // pixels from the left edge of the text to the descriptions
};

} // namespace cubrava
