#include "StrokeFont.h"

#include <cctype>
#include <sstream>
#include <utility>

namespace cubrava::assetgen {

namespace {

// Each glyph: polylines separated by ';', points "x,y" with y up from the
// baseline. A single point is a dot.
struct Glyph {
    char c;
    const char* strokes;
};

const Glyph glyphs[] = {
    { 'A', "0,0 0,5 1,6 3,6 4,5 4,0;0,3 4,3" },
    { 'B', "0,0 0,6 3,6 4,5 4,4 3,3 0,3;3,3 4,2 4,1 3,0 0,0" },
    { 'C', "4,5 3,6 1,6 0,5 0,1 1,0 3,0 4,1" },
    { 'D', "0,0 0,6 3,6 4,5 4,1 3,0 0,0" },
    { 'E', "4,6 0,6 0,0 4,0;0,3 3,3" },
    { 'F', "4,6 0,6 0,0;0,3 3,3" },
    { 'G', "4,5 3,6 1,6 0,5 0,1 1,0 3,0 4,1 4,3 2,3" },
    { 'H', "0,0 0,6;4,0 4,6;0,3 4,3" },
    { 'I', "1,6 3,6;2,6 2,0;1,0 3,0" },
    { 'J', "4,6 4,1 3,0 1,0 0,1" },
    { 'K', "0,0 0,6;4,6 1,3 0,3;1,3 4,0" },
    { 'L', "0,6 0,0 4,0" },
    { 'M', "0,0 0,6 2,3 4,6 4,0" },
    { 'N', "0,0 0,6 4,0 4,6" },
    { 'O', "1,0 0,1 0,5 1,6 3,6 4,5 4,1 3,0 1,0" },
    { 'P', "0,0 0,6 3,6 4,5 4,4 3,3 0,3" },
    { 'Q', "1,0 0,1 0,5 1,6 3,6 4,5 4,1 3,0 1,0;2,2 4,0" },
    { 'R', "0,0 0,6 3,6 4,5 4,4 3,3 0,3;2,3 4,0" },
    { 'S', "4,5 3,6 1,6 0,5 0,4 1,3 3,3 4,2 4,1 3,0 1,0 0,1" },
    { 'T', "0,6 4,6;2,6 2,0" },
    { 'U', "0,6 0,1 1,0 3,0 4,1 4,6" },
    { 'V', "0,6 2,0 4,6" },
    { 'W', "0,6 1,0 2,3 3,0 4,6" },
    { 'X', "0,6 4,0;0,0 4,6" },
    { 'Y', "0,6 2,3 4,6;2,3 2,0" },
    { 'Z', "0,6 4,6 0,0 4,0" },
    { '.', "2,0" },
    { ',', "2,0 1,-1" },
    { '!', "2,6 2,2;2,0" },
    { '-', "1,3 3,3" },
    { '\'', "2,6 2,5" },
};

const char* glyph(char c)
{
    for (const Glyph& g : glyphs)
        if (g.c == c)
            return g.strokes;
    return "";
}

constexpr float GlyphWidth = 4.0f;
constexpr float SpaceWidth = 3.0f;

} // namespace

std::vector<Segment> layoutText(const std::string& text, float x, float y, const TextStyle& style)
{
    std::vector<Segment> segments;
    float pen = 0.0f;
    for (char raw : text) {
        char c = static_cast<char>(std::toupper(static_cast<unsigned char>(raw)));
        if (c == ' ') {
            pen += SpaceWidth + style.tracking;
            continue;
        }
        std::istringstream strokes(glyph(c));
        std::string stroke;
        while (std::getline(strokes, stroke, ';')) {
            std::istringstream points(stroke);
            std::vector<std::pair<float, float>> line;
            for (std::string point; points >> point;) {
                std::size_t comma = point.find(',');
                float gx = std::stof(point.substr(0, comma));
                float gy = std::stof(point.substr(comma + 1));
                line.emplace_back(x + (pen + gx + style.slant * gy) * style.unit, y - gy * style.unit);
            }
            if (line.size() == 1) // a lone point is a dot
                segments.push_back({ line[0].first, line[0].second, line[0].first, line[0].second });
            for (std::size_t i = 1; i < line.size(); ++i)
                segments.push_back({ line[i - 1].first, line[i - 1].second, line[i].first, line[i].second });
        }
        pen += GlyphWidth + style.tracking;
    }
    return segments;
}

float textWidth(const std::string& text, const TextStyle& style)
{
    float pen = 0.0f;
    for (char c : text)
        pen += (c == ' ' ? SpaceWidth : GlyphWidth) + style.tracking;
    return text.empty() ? 0.0f : (pen - style.tracking) * style.unit;
}

} // namespace cubrava::assetgen
