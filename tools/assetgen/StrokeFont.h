#pragma once

#include <string>
#include <vector>

namespace cubrava::assetgen {

struct Segment {
    float x0, y0, x1, y1;
};

// Our own lettering: upper-case letters, a few marks, drawn as strokes on a
// grid 4 units wide and 6 high with chamfered corners, a technical face.
// Lower-case text is drawn in capitals.
struct TextStyle {
    float unit; // pixels per grid unit
    float slant = 0.0f; // horizontal shift per unit of height, for italics
    float tracking = 2.0f; // grid units between letters
};

// The strokes of a line of text whose baseline starts at (x, y), in pixel
// coordinates with y growing downwards.
std::vector<Segment> layoutText(const std::string& text, float x, float y, const TextStyle& style);

// Width in pixels of the text's strokes (without the pen's thickness).
float textWidth(const std::string& text, const TextStyle& style);

} // namespace cubrava::assetgen
