#include "GlyphAtlas.h"

#include "RenderContext.h"

#include <GL/gl.h>

#include <algorithm>
#include <cstddef>

namespace cubrava {

namespace {

// A clear texel between glyphs, so no filtering or rounding ever reads a neighbour.
constexpr int Gap = 1;
constexpr int FirstWidth = 256;
constexpr int FirstHeight = 64;

int powerOfTwoFrom(int least, int start)
{
    int size = start;
    while (size < least)
        size *= 2;
    return size;
}

} // namespace

void GlyphAtlas::clear()
{
    texels_.clear();
    texels_.shrink_to_fit();
    width_ = height_ = 0;
    placed_.fill(false);
    rowX_ = rowY_ = rowHeight_ = 0;
    uploaded_ = false;
}

const GlyphAtlas::Place& GlyphAtlas::add(
    unsigned char code, int width, int rows, const unsigned char* levels, int maxLevel)
{
    if (placed_[code])
        return places_[code];
    if (rowX_ + width + Gap > width_) {
        rowX_ = 0;
        rowY_ += rowHeight_;
        rowHeight_ = 0;
    }
    grow(width + Gap, rowY_ + rows + Gap);
    Place& at = places_[code];
    at.x = rowX_;
    at.y = rowY_;
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < width; ++c) {
            const int level = levels[static_cast<std::ptrdiff_t>(r) * width + c];
            texels_[static_cast<std::size_t>(at.y + r) * width_ + at.x + c]
                = static_cast<std::uint8_t>((level * 255 + maxLevel / 2) / maxLevel);
        }
    rowX_ += width + Gap;
    rowHeight_ = std::max(rowHeight_, rows + Gap);
    placed_[code] = true;
    uploaded_ = false;
    return at;
}

void GlyphAtlas::grow(int neededWidth, int neededHeight)
{
    const int width = std::max(width_, powerOfTwoFrom(neededWidth, FirstWidth));
    const int height = std::max(height_, powerOfTwoFrom(neededHeight, FirstHeight));
    if (width == width_ && height == height_)
        return;
    std::vector<std::uint8_t> texels(static_cast<std::size_t>(width) * height, 0);
    for (int r = 0; r < height_; ++r)
        std::copy_n(
            &texels_[static_cast<std::size_t>(r) * width_], width_, &texels[static_cast<std::size_t>(r) * width]);
    texels_.swap(texels);
    width_ = width;
    height_ = height;
    uploaded_ = false;
}

void GlyphAtlas::bind(RenderContext& context)
{
    if (texture_ == 0) {
        texture_ = context.newTexture();
        uploaded_ = false;
    }
    glBindTexture(GL_TEXTURE_2D, texture_);
    if (uploaded_ || width_ == 0)
        return;
    // Texels are read one for one: a quad's pixels sit on texel centres.
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
    glPushClientAttrib(GL_CLIENT_PIXEL_STORE_BIT);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glPixelStorei(GL_UNPACK_ROW_LENGTH, 0);
    glPixelStorei(GL_UNPACK_SKIP_ROWS, 0);
    glPixelStorei(GL_UNPACK_SKIP_PIXELS, 0);
    glPixelStorei(GL_UNPACK_SWAP_BYTES, GL_FALSE);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_INTENSITY8, width_, height_, 0, GL_LUMINANCE, GL_UNSIGNED_BYTE, texels_.data());
    glPopClientAttrib();
    uploaded_ = true;
}

} // namespace cubrava
