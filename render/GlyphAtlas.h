#pragma once

#include <array>
#include <cstdint>
#include <vector>

namespace cubrava {

class RenderContext;

// The grey levels of one font size's glyphs, packed in rows into one
// intensity texture (0 clear, 255 full), so a line of text is a handful of
// textured quads. Glyphs are added as text first needs them; the texture is
// uploaded again, whole, when it is next bound after a glyph was added. A font
// keeps one in each rendering context it draws in, whose texture it is.
class GlyphAtlas {
public:
    // Where a glyph's top left texel lies.
    struct Place {
        int x = 0;
        int y = 0;
    };

    GlyphAtlas() = default;
    GlyphAtlas(const GlyphAtlas&) = delete;
    GlyphAtlas& operator=(const GlyphAtlas&) = delete;

    // Forgets every glyph (the font got another size); the texture name is kept.
    void clear();
    bool contains(unsigned char code) const { return placed_[code]; }
    const Place& place(unsigned char code) const { return places_[code]; }
    // Copies a glyph in: `levels` holds rows top first, each level 0 to
    // maxLevel. Returns where it went.
    const Place& add(unsigned char code, int width, int rows, const unsigned char* levels, int maxLevel);

    // Binds the texture to the active unit, making it in the context or
    // uploading it first when needed.
    void bind(RenderContext& context);

    int width() const { return width_; }
    int height() const { return height_; }
    // Intensities 0 to 255, rows of width() texels, top row first.
    const std::vector<std::uint8_t>& texels() const { return texels_; }

private:
    void grow(int neededWidth, int neededHeight);

    std::vector<std::uint8_t> texels_; // rows of width_, top row first
    int width_ = 0;
    int height_ = 0;
    // The row being filled: glyphs go left to right, the next row starts below the tallest.
    int rowX_ = 0;
    int rowY_ = 0;
    int rowHeight_ = 0;
    std::array<Place, 256> places_ {};
    std::array<bool, 256> placed_ {};
    unsigned texture_ = 0; // the context's
    bool uploaded_ = false;
};

} // namespace cubrava
