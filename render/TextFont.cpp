#include "TextFont.h"

#include "GlyphAtlas.h"
#include "RenderContext.h"
#include "data/FatalError.h"

#include <ft2build.h>
#include FT_FREETYPE_H

#include <GL/gl.h>
#include <GL/glu.h>

#include <cmath>
#include <cstdlib>

namespace cubrava {

const char* const FontFileName = "fonts/bnkgothm.ttf";
const char* const FontErrorMessage = "There was an error initializing the fonts.\n"
                                     "If this persists, you may wan to reinstall the game.";

namespace {

constexpr unsigned Dpi = 96;

[[noreturn]] void fail()
{
    throw FatalError(FontErrorMessage);
}

// Platform 3 encoding 1 (Windows Unicode BMP) or platform 0 encoding 0
// (Unicode): whichever the face lists first. Single-byte codes then read as
// Latin-1.
FT_CharMap unicodeCharmap(FT_Face face)
{
    for (int i = 0; i < face->num_charmaps; ++i) {
        FT_CharMap map = face->charmaps[i];
        if ((map->platform_id == 3 && map->encoding_id == 1) || (map->platform_id == 0 && map->encoding_id == 0))
            return map;
    }
    return nullptr;
}

int roundedPixels(FT_Pos value)
{
    return static_cast<int>(std::lround(static_cast<double>(value) / 64.0));
}

// Coverage 0..255 to the five grey levels.
unsigned char toLevel(unsigned char coverage)
{
    return static_cast<unsigned char>((coverage * TextFont::MaxLevel + 127) / 255);
}

GLubyte colourByte(float v)
{
    return static_cast<GLubyte>(std::lround(std::fmin(std::fmax(v, 0.0f), 1.0f) * 255.0f));
}

void moveRaster(float dx, float dy)
{
    if (dx != 0.0f || dy != 0.0f)
        glBitmap(0, 0, 0.0f, 0.0f, dx, dy, nullptr);
}

// The raster position of (0, 0) is off the viewport (or clipped): set a valid
// one, then move to where (0, 0) projects, which may lie outside the window.
void startRasterOffViewport()
{
    GLdouble modelview[16];
    GLdouble projection[16];
    GLint viewport[4];
    glGetDoublev(GL_MODELVIEW_MATRIX, modelview);
    glGetDoublev(GL_PROJECTION_MATRIX, projection);
    glGetIntegerv(GL_VIEWPORT, viewport);
    GLdouble wx = 0.0;
    GLdouble wy = 0.0;
    GLdouble wz = 0.0;
    if (gluProject(0.0, 0.0, 0.0, modelview, projection, viewport, &wx, &wy, &wz) != GL_TRUE)
        return;

    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();
    glRasterPos2f(0.0f, 0.0f); // the viewport's centre
    GLfloat centre[4];
    glGetFloatv(GL_CURRENT_RASTER_POSITION, centre);
    moveRaster(static_cast<float>(wx) - centre[0], static_cast<float>(wy) - centre[1]);
    glPopMatrix();
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
}

// The atlas a font keeps in a rendering context, and for which of its
// glyph caches.
struct KeptAtlas {
    GlyphAtlas atlas;
    std::uint64_t glyphs = 0;
};

} // namespace

bool rasterAtOrigin()
{
    glRasterPos2f(0.0f, 0.0f);
    GLboolean valid = GL_FALSE;
    glGetBooleanv(GL_CURRENT_RASTER_POSITION_VALID, &valid);
    if (valid)
        return true;
    startRasterOffViewport();
    glGetBooleanv(GL_CURRENT_RASTER_POSITION_VALID, &valid);
    return valid == GL_TRUE;
}

void TextFont::LibraryCloser::operator()(FT_LibraryRec_* library) const
{
    FT_Done_FreeType(library);
}

void TextFont::FaceCloser::operator()(FT_FaceRec_* face) const
{
    FT_Done_Face(face);
}

TextFont::TextFont() = default;
TextFont::~TextFont() = default;

void TextFont::open(const std::string& path)
{
    face_.reset();
    size_ = 0;
    cache_ = {};
    ++glyphs_;
    glyphIndex_.fill(0);

    if (!library_) {
        FT_Library library = nullptr;
        if (FT_Init_FreeType(&library) != 0)
            fail();
        library_.reset(library);
    }
    FT_Face face = nullptr;
    if (FT_New_Face(library_.get(), path.c_str(), 0, &face) != 0)
        fail();
    face_.reset(face);

    if (FT_CharMap map = unicodeCharmap(face))
        FT_Set_Charmap(face, map);
    // With no Unicode map the face's own default (if any) answers; codes it
    // does not know stay without a glyph.
    for (unsigned code = 0; code < glyphIndex_.size(); ++code)
        glyphIndex_[code] = face->charmap ? FT_Get_Char_Index(face, code) : 0;
}

void TextFont::setSize(int points)
{
    if (!face_ || points <= 0)
        fail();
    cache_ = {};
    ++glyphs_;
    size_ = 0;
    if (FT_Set_Char_Size(face_.get(), 0, static_cast<FT_F26Dot6>(points) * 64, Dpi, Dpi) != 0)
        fail();
    size_ = points;
}

const TextFont::Glyph& TextFont::glyph(unsigned char code) const
{
    std::unique_ptr<Glyph>& slot = cache_[code];
    if (slot)
        return *slot;
    slot = std::make_unique<Glyph>();
    Glyph& g = *slot;
    unsigned index = glyphIndex_[code];
    if (!face_ || size_ == 0 || index == 0)
        return g;
    FT_Face face = face_.get();
    if (FT_Load_Glyph(face, index, FT_LOAD_DEFAULT) != 0)
        return g;
    FT_GlyphSlot loaded = face->glyph;
    if (loaded->format != FT_GLYPH_FORMAT_BITMAP && FT_Render_Glyph(loaded, FT_RENDER_MODE_NORMAL) != 0)
        return g;
    g.advance = loaded->advance.x;
    const FT_Bitmap& bitmap = loaded->bitmap;
    if (bitmap.pixel_mode != FT_PIXEL_MODE_GRAY || bitmap.width == 0 || bitmap.rows == 0)
        return g;
    g.left = loaded->bitmap_left;
    g.top = loaded->bitmap_top;
    g.width = static_cast<int>(bitmap.width);
    g.rows = static_cast<int>(bitmap.rows);
    g.levels.resize(static_cast<std::size_t>(g.width) * g.rows);
    for (int r = 0; r < g.rows; ++r) {
        const unsigned char* row = bitmap.buffer + static_cast<std::ptrdiff_t>(r) * bitmap.pitch;
        for (int c = 0; c < g.width; ++c)
            g.levels[static_cast<std::size_t>(r) * g.width + c] = toLevel(row[c]);
    }
    return g;
}

int TextFont::textWidth(const std::string& text) const
{
    long sum = 0;
    for (char c : text)
        sum += glyph(static_cast<unsigned char>(c)).advance;
    return static_cast<int>(sum / 64);
}

int TextFont::lineHeight() const
{
    return size_ > 0 ? roundedPixels(face_->size->metrics.height) : 0;
}

int TextFont::descender() const
{
    return size_ > 0 ? roundedPixels(face_->size->metrics.descender) : 0;
}

int fitFontSize(TextFont& font, const std::string& text, double widerThan, int first, int step, int cap)
{
    int size = first;
    for (;;) {
        font.setSize(size);
        if (font.textWidth(text) > widerThan || size >= cap)
            return size;
        size += step;
    }
}

void TextFont::draw(RenderContext& context, const std::string& text) const
{
    if (size_ == 0 || text.empty())
        return;
    KeptAtlas& kept = context.kept<KeptAtlas>(key_);
    if (kept.glyphs != glyphs_) {
        kept.atlas.clear();
        kept.glyphs = glyphs_;
    }
    GlyphAtlas& atlas = kept.atlas;
    for (char c : text) {
        const auto code = static_cast<unsigned char>(c);
        const Glyph& g = glyph(code);
        if (g.width > 0 && !atlas.contains(code))
            atlas.add(code, g.width, g.rows, g.levels.data(), MaxLevel);
    }
    if (atlas.width() == 0)
        return;

    // Each glyph is a quad in window coordinates, at the pixel where
    // glDrawPixels would put it (the raster position rounded), textured by the
    // atlas on the second unit. The first unit keeps its texture and
    // coordinate, so the tint a bound texture gives the pixels stays.
    glPushAttrib(GL_CURRENT_BIT | GL_ENABLE_BIT | GL_TEXTURE_BIT | GL_TRANSFORM_BIT | GL_VIEWPORT_BIT);
    if (!rasterAtOrigin()) {
        glPopAttrib();
        return;
    }
    GLfloat raster[4];
    glGetFloatv(GL_CURRENT_RASTER_POSITION, raster);
    // The colour in bytes, as the copied pixels carry it: full-level pixels
    // then come out exactly in the colour asked for.
    GLfloat colour[4];
    glGetFloatv(GL_CURRENT_COLOR, colour);
    GLubyte bytes[4];
    for (int channel = 0; channel < 4; ++channel)
        bytes[channel] = colourByte(colour[channel]);
    glColor4ubv(bytes);

    // Pixels are not held inside the viewport: draw over the largest one.
    GLint most[2];
    glGetIntegerv(GL_MAX_VIEWPORT_DIMS, most);
    glViewport(0, 0, most[0], most[1]);
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    // Depth 0 to 1 as given, like the raster position's.
    glOrtho(0.0, most[0], 0.0, most[1], 0.0, -1.0);
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();
    glDisable(GL_LIGHTING);
    glDisable(GL_CULL_FACE);
    glActiveTexture(GL_TEXTURE1);
    glMatrixMode(GL_TEXTURE);
    glPushMatrix();
    glLoadIdentity();
    glEnable(GL_TEXTURE_2D);
    atlas.bind(context);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);

    const float perTexelS = 1.0f / static_cast<float>(atlas.width());
    const float perTexelT = 1.0f / static_cast<float>(atlas.height());
    const float depth = raster[2];
    // The raster position moves in the same float steps the glDrawPixels drawing takes.
    float x = raster[0];
    float y = raster[1];
    float penX = 0.0f;
    float penY = 0.0f;
    glBegin(GL_QUADS);
    for (char c : text) {
        const auto code = static_cast<unsigned char>(c);
        const Glyph& g = glyph(code);
        if (g.width > 0) {
            const float bx = static_cast<float>(g.left);
            const float by = static_cast<float>(g.top - g.rows);
            x += bx - penX;
            y += by - penY;
            penX = bx;
            penY = by;
            const auto left = static_cast<float>(std::lround(x));
            const auto bottom = static_cast<float>(std::lround(y));
            const auto right = left + static_cast<float>(g.width);
            const auto top = bottom + static_cast<float>(g.rows);
            const GlyphAtlas::Place& at = atlas.place(code);
            // Atlas rows run top first: the glyph's top row is the smaller t.
            const float s0 = static_cast<float>(at.x) * perTexelS;
            const float s1 = static_cast<float>(at.x + g.width) * perTexelS;
            const float tTop = static_cast<float>(at.y) * perTexelT;
            const float tBottom = static_cast<float>(at.y + g.rows) * perTexelT;
            glMultiTexCoord2f(GL_TEXTURE1, s0, tBottom);
            glVertex3f(left, bottom, depth);
            glMultiTexCoord2f(GL_TEXTURE1, s1, tBottom);
            glVertex3f(right, bottom, depth);
            glMultiTexCoord2f(GL_TEXTURE1, s1, tTop);
            glVertex3f(right, top, depth);
            glMultiTexCoord2f(GL_TEXTURE1, s0, tTop);
            glVertex3f(left, top, depth);
        }
        x += static_cast<float>(g.advance) / 64.0f - penX;
        y += -penY;
        penX = 0.0f;
        penY = 0.0f;
    }
    glEnd();

    glPopMatrix();
    glActiveTexture(GL_TEXTURE0);
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
    glPopMatrix();
    glPopAttrib();
}

} // namespace cubrava
