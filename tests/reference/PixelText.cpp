#include "PixelText.h"

#include <GL/gl.h>

#include <cmath>
#include <cstddef>
#include <vector>

namespace cubrava {

namespace {

GLubyte colourByte(float v)
{
    return static_cast<GLubyte>(std::lround(std::fmin(std::fmax(v, 0.0f), 1.0f) * 255.0f));
}

void moveRaster(float dx, float dy)
{
    if (dx != 0.0f || dy != 0.0f)
        glBitmap(0, 0, 0.0f, 0.0f, dx, dy, nullptr);
}

} // namespace

void PixelText::draw(RenderContext&, const TextFont& font, const std::string& text) const
{
    if (!font.hasSize() || text.empty())
        return;
    GLfloat colour[4];
    glGetFloatv(GL_CURRENT_COLOR, colour);

    glPushClientAttrib(GL_CLIENT_PIXEL_STORE_BIT);
    glPushAttrib(GL_PIXEL_MODE_BIT | GL_CURRENT_BIT);
    glPixelStorei(GL_UNPACK_SWAP_BYTES, GL_FALSE);
    glPixelStorei(GL_UNPACK_LSB_FIRST, GL_FALSE);
    glPixelStorei(GL_UNPACK_ROW_LENGTH, 0);
    glPixelStorei(GL_UNPACK_SKIP_ROWS, 0);
    glPixelStorei(GL_UNPACK_SKIP_PIXELS, 0);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glPixelTransferi(GL_MAP_COLOR, GL_FALSE);
    glPixelTransferf(GL_RED_SCALE, 1.0f);
    glPixelTransferf(GL_GREEN_SCALE, 1.0f);
    glPixelTransferf(GL_BLUE_SCALE, 1.0f);
    glPixelTransferf(GL_ALPHA_SCALE, 1.0f);
    glPixelTransferf(GL_RED_BIAS, 0.0f);
    glPixelTransferf(GL_GREEN_BIAS, 0.0f);
    glPixelTransferf(GL_BLUE_BIAS, 0.0f);
    glPixelTransferf(GL_ALPHA_BIAS, 0.0f);
    glPixelZoom(1.0f, 1.0f);

    rasterAtOrigin();

    // Premultiplied shades of the current colour, one per level.
    constexpr int MaxLevel = TextFont::MaxLevel;
    GLubyte shades[MaxLevel + 1][4];
    for (int level = 0; level <= MaxLevel; ++level)
        for (int channel = 0; channel < 4; ++channel)
            shades[level][channel] = colourByte(colour[channel] * static_cast<float>(level) / MaxLevel);

    std::vector<GLubyte> pixels;
    float penX = 0.0f; // where the raster position stands, relative to the pen
    float penY = 0.0f;
    for (char c : text) {
        const TextFont::Glyph& g = font.glyph(static_cast<unsigned char>(c));
        if (g.width > 0) {
            const float bx = static_cast<float>(g.left);
            const float by = static_cast<float>(g.top - g.rows);
            moveRaster(bx - penX, by - penY);
            penX = bx;
            penY = by;
            pixels.resize(static_cast<std::size_t>(g.width) * g.rows * 4);
            // glDrawPixels takes the bottom row first.
            for (int r = 0; r < g.rows; ++r) {
                const unsigned char* src = &g.levels[static_cast<std::size_t>(g.rows - 1 - r) * g.width];
                GLubyte* dst = &pixels[static_cast<std::size_t>(r) * g.width * 4];
                for (int col = 0; col < g.width; ++col)
                    for (int channel = 0; channel < 4; ++channel)
                        dst[col * 4 + channel] = shades[src[col]][channel];
            }
            glDrawPixels(g.width, g.rows, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
        }
        const float advance = static_cast<float>(g.advance) / 64.0f;
        moveRaster(advance - penX, -penY);
        penX = 0.0f;
        penY = 0.0f;
    }

    glPopAttrib();
    glPopClientAttrib();
}

} // namespace cubrava
