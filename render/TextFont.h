#pragma once

#include "ContextKey.h"

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

struct FT_LibraryRec_;
struct FT_FaceRec_;

namespace cubrava {

class RenderContext;

// A colour text is drawn in, channels 0 to 1.
struct TextColour {
    float red = 1.0f;
    float green = 1.0f;
    float blue = 1.0f;
};

inline bool operator==(const TextColour& a, const TextColour& b)
{
    return a.red == b.red && a.green == b.green && a.blue == b.blue;
}

extern const char* const FontFileName;
extern const char* const FontErrorMessage;

// A TrueType face and one pixel font made from it at a chosen size. Text is
// single-byte: codes 0 to 255 map to the characters of the same Unicode value.
// Metrics need no rendering context; only draw does.
class TextFont {
public:
    TextFont();
    ~TextFont();
    TextFont(const TextFont&) = delete;
    TextFont& operator=(const TextFont&) = delete;

    // Raises the font error when the file cannot be opened as a face.
    void open(const std::string& path = FontFileName);
    bool isOpen() const { return face_ != nullptr; }

    // Points at 96 dpi. Raises the font error without a face or when the face
    // refuses the size. Forgets every cached glyph.
    void setSize(int points);
    int size() const { return size_; }
    bool hasSize() const { return size_ > 0; }

    // Pixels; 0 until a size is made.
    int textWidth(const std::string& text) const;
    int lineHeight() const;
    // Negative: below the baseline.
    int descender() const;

    // Draws the text with its origin at the raster position of (0, 0) under the
    // current matrices, in the current colour: a quad per glyph, textured from
    // the glyph atlas the font keeps in the context. Text whose origin lies
    // off the viewport still draws its visible part, and text is not held
    // inside the viewport. With texturing enabled on the first unit, each
    // pixel is also modulated by that unit's texel at the current texture
    // coordinate.
    void draw(RenderContext& context, const std::string& text) const;

    // Grey levels run from 0 (clear) to this (full colour).
    static constexpr int MaxLevel = 4;

    struct Glyph {
        long advance = 0; // 1/64 pixel
        int left = 0; // bitmap offset from the pen
        int top = 0; // bitmap top above the baseline
        int width = 0;
        int rows = 0;
        std::vector<unsigned char> levels; // rows top first, 0..MaxLevel
    };
    // Rasterised on first use and cached until the size changes.
    const Glyph& glyph(unsigned char code) const;

private:
    struct LibraryCloser {
        void operator()(FT_LibraryRec_* library) const;
    };
    struct FaceCloser {
        void operator()(FT_FaceRec_* face) const;
    };

    // Declared before the face: a face must go before its library.
    std::unique_ptr<FT_LibraryRec_, LibraryCloser> library_;
    std::unique_ptr<FT_FaceRec_, FaceCloser> face_;
    int size_ = 0;
    std::array<unsigned, 256> glyphIndex_ {};
    // Emptied, and the count moved on, whenever the face or the size changes.
    mutable std::array<std::unique_ptr<Glyph>, 256> cache_;
    std::uint64_t glyphs_ = 1;
    ContextKey key_;
};

// Sets the raster position to where (0, 0) projects under the current
// matrices, reaching a point off the viewport from a valid position inside it;
// false when no valid position can be had. Text is drawn from there.
bool rasterAtOrigin();

// Makes the font at first, first + step, ... until the text is wider than
// widerThan pixels, and returns that size. Growth stops at the first size not
// below cap: a text of characters the face lacks never gets wider.
int fitFontSize(TextFont& font, const std::string& text, double widerThan, int first, int step, int cap);

} // namespace cubrava
