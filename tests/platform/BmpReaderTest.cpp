#include "platform/BmpImage.h"

#include "support/BmpWriter.h"
#include "support/LargestAllocation.h"
#include "support/ScratchDir.h"

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <gtest/gtest.h>
#include <random>
#include <sys/stat.h>

using namespace cubrava;

namespace {

using Pixels = std::vector<std::uint32_t>; // 0xRRGGBB, bottom row first

BmpError decode(const std::string& file, RgbImage& image)
{
    return decodeBmp(reinterpret_cast<const unsigned char*>(file.data()), file.size(), image);
}

// Decodes and returns the largest single allocation made meanwhile.
std::size_t largestAllocationDecoding(const std::string& file, RgbImage& image, BmpError& error)
{
    resetLargestAllocation();
    error = decode(file, image);
    return largestAllocation();
}

Pixels colours(const RgbImage& image)
{
    Pixels out;
    for (std::size_t i = 0; i + 2 < image.rgb.size(); i += 3)
        out.push_back(image.rgb[i] << 16 | image.rgb[i + 1] << 8 | image.rgb[i + 2]);
    return out;
}

// The stored rows of `layout` mapped through `colourOf`, put bottom row first.
template <typename ColourOf> Pixels expected(const BmpSpec& layout, ColourOf colourOf)
{
    int height = std::abs(layout.height);
    Pixels out;
    for (int row = 0; row < height; ++row) {
        int stored = layout.height > 0 ? row : height - 1 - row;
        for (int x = 0; x < layout.width; ++x)
            out.push_back(colourOf(layout.pixels[static_cast<std::size_t>(stored) * layout.width + x]));
    }
    return out;
}

BmpSpec paletted(std::uint32_t headerSize, std::uint16_t bitCount, int height)
{
    BmpSpec layout;
    layout.headerSize = headerSize;
    layout.bitCount = bitCount;
    layout.width = 13; // odd widths leave partial bytes and row padding
    layout.height = height;
    unsigned colours = 1u << bitCount;
    for (unsigned i = 0; i < colours; ++i)
        layout.palette.push_back((i * 0x3B5F17u + 0x102030u) & 0xFFFFFF);
    for (int i = 0; i < 13 * std::abs(height); ++i)
        layout.pixels.push_back((i * 7 + i / 13) % colours);
    return layout;
}

struct PalettedCase {
    std::uint32_t headerSize;
    std::uint16_t bitCount;
    int height;
};

class PalettedBmp : public ::testing::TestWithParam<PalettedCase> { };

TEST_P(PalettedBmp, AppliesTheColourTableRowsBottomFirst)
{
    PalettedCase c = GetParam();
    BmpSpec layout = paletted(c.headerSize, c.bitCount, c.height);
    RgbImage image;
    ASSERT_EQ(decode(buildBmp(layout), image), BmpError::None);
    EXPECT_EQ(image.width, 13);
    EXPECT_EQ(image.height, std::abs(c.height));
    EXPECT_EQ(colours(image), expected(layout, [&](std::uint32_t i) { return layout.palette[i]; }));
}

INSTANTIATE_TEST_SUITE_P(EveryHeaderAndDepth, PalettedBmp,
    ::testing::Values(PalettedCase { 12, 1, 3 }, PalettedCase { 12, 4, 3 }, PalettedCase { 12, 8, 3 },
        PalettedCase { 40, 1, 4 }, PalettedCase { 40, 4, 4 }, PalettedCase { 40, 8, 4 }, PalettedCase { 40, 1, -4 },
        PalettedCase { 40, 4, -4 }, PalettedCase { 40, 8, -4 }, PalettedCase { 108, 8, 2 },
        PalettedCase { 124, 4, -2 }));

TEST(BmpReader, DecodesDirectColourDepths)
{
    // 24 bits, stored top first, width 5 leaves a byte of padding per row.
    BmpSpec rgb24;
    rgb24.width = 5, rgb24.height = -2;
    rgb24.pixels
        = { 0xFF0000, 0x00FF00, 0x0000FF, 0x123456, 0xFFFFFF, 0x000000, 0x808080, 0xABCDEF, 0x010203, 0xFEDCBA };
    RgbImage image;
    ASSERT_EQ(decode(buildBmp(rgb24), image), BmpError::None);
    EXPECT_EQ(colours(image), expected(rgb24, [](std::uint32_t p) { return p; }));

    // 32 bits without masks: X8R8G8B8, the top byte ignored.
    BmpSpec rgb32;
    rgb32.bitCount = 32, rgb32.width = 3, rgb32.height = 2;
    rgb32.pixels = { 0xFF112233, 0x00445566, 0x7F778899, 0x00AABBCC, 0x12DDEEFF, 0x00000000 };
    ASSERT_EQ(decode(buildBmp(rgb32), image), BmpError::None);
    EXPECT_EQ(colours(image), expected(rgb32, [](std::uint32_t p) { return p & 0xFFFFFF; }));

    // 16 bits without masks: X1R5G5B5, five bits widened to 0..255.
    BmpSpec rgb555;
    rgb555.bitCount = 16, rgb555.width = 3, rgb555.height = 1;
    rgb555.pixels = { 0x7C00, 0x83E0, 0x4210 };
    ASSERT_EQ(decode(buildBmp(rgb555), image), BmpError::None);
    EXPECT_EQ(colours(image), (Pixels { 0xFF0000, 0x00FF00, 0x848484 }));
}

TEST(BmpReader, HonoursBitFieldMasksInEveryHeader)
{
    // 5-6-5 with the masks after the short header.
    BmpSpec rgb565;
    rgb565.bitCount = 16, rgb565.compression = 3, rgb565.width = 4, rgb565.height = 1;
    rgb565.masks[0] = 0xF800, rgb565.masks[1] = 0x07E0, rgb565.masks[2] = 0x001F;
    rgb565.pixels = { 0xF800, 0x07E0, 0x001F, 0x0400 };
    RgbImage image;
    ASSERT_EQ(decode(buildBmp(rgb565), image), BmpError::None);
    EXPECT_EQ(colours(image), (Pixels { 0xFF0000, 0x00FF00, 0x0000FF, 0x008200 }));

    // The same masks inside a version 4 header.
    rgb565.headerSize = 108;
    ASSERT_EQ(decode(buildBmp(rgb565), image), BmpError::None);
    EXPECT_EQ(colours(image), (Pixels { 0xFF0000, 0x00FF00, 0x0000FF, 0x008200 }));

    // Channels in an unusual order with alpha on top, in a version 5 header.
    BmpSpec abgr;
    abgr.headerSize = 124, abgr.bitCount = 32, abgr.compression = 3, abgr.width = 2, abgr.height = -1;
    abgr.masks[0] = 0x000000FF, abgr.masks[1] = 0x0000FF00, abgr.masks[2] = 0x00FF0000;
    abgr.pixels = { 0x80332211, 0xFF0000FF };
    ASSERT_EQ(decode(buildBmp(abgr), image), BmpError::None);
    EXPECT_EQ(colours(image), (Pixels { 0x112233, 0xFF0000 }));
}

TEST(BmpReader, UsesShortColourTables)
{
    BmpSpec layout;
    layout.bitCount = 8, layout.width = 3, layout.height = 1, layout.colorsUsed = 3;
    layout.palette = { 0x0000FF, 0x00FF00, 0xFF0000 };
    layout.pixels = { 2, 1, 0 };
    RgbImage image;
    ASSERT_EQ(decode(buildBmp(layout), image), BmpError::None);
    EXPECT_EQ(colours(image), (Pixels { 0xFF0000, 0x00FF00, 0x0000FF }));

    // An OS/2 file whose table is shorter than its depth allows; the pixel offset tells.
    BmpSpec core;
    core.headerSize = 12, core.bitCount = 8, core.width = 2, core.height = 1;
    core.palette = { 0x112233, 0x445566 };
    core.pixels = { 1, 0 };
    ASSERT_EQ(decode(buildBmp(core), image), BmpError::None);
    EXPECT_EQ(colours(image), (Pixels { 0x445566, 0x112233 }));
}

TEST(BmpReader, DecodesRunLengthEncodedPictures)
{
    BmpSpec rle8;
    rle8.bitCount = 8, rle8.compression = 1, rle8.width = 4, rle8.height = 3;
    rle8.palette = { 0x000000, 0xFF0000, 0x00FF00, 0x0000FF };
    // Row 0: run of three 1s, then an absolute run (2, 3, 2) clipped at the edge.
    // Row 1: skipped by a delta to (1, 2). Row 2: 3 from x = 1 on, then the end.
    rle8.rle = std::string("\x03\x01\x00\x03\x02\x03\x02\x00\x00\x00\x00\x02\x01\x01\x03\x03\x00\x01", 18);
    RgbImage image;
    ASSERT_EQ(decode(buildBmp(rle8), image), BmpError::None);
    EXPECT_EQ(colours(image),
        (Pixels { 0xFF0000, 0xFF0000, 0xFF0000, 0x00FF00, //
            0x000000, 0x000000, 0x000000, 0x000000, //
            0x000000, 0x0000FF, 0x0000FF, 0x0000FF }));

    BmpSpec rle4;
    rle4.bitCount = 4, rle4.compression = 2, rle4.width = 5, rle4.height = 1;
    rle4.palette = { 0x000000, 0x111111, 0x222222, 0x333333 };
    // A run alternating 1 and 2, then three pixels given one nibble each.
    rle4.rle = std::string("\x02\x12\x00\x03\x31\x20\x00\x01", 8);
    ASSERT_EQ(decode(buildBmp(rle4), image), BmpError::None);
    EXPECT_EQ(colours(image), (Pixels { 0x111111, 0x222222, 0x333333, 0x111111, 0x222222 }));
}

struct Broken {
    const char* what;
    std::string file;
    BmpError error;
};

std::string withU32(std::string file, std::size_t at, std::uint32_t value)
{
    std::string bytes;
    putU32(bytes, value);
    return file.replace(at, 4, bytes);
}

std::vector<Broken> brokenFiles()
{
    BmpSpec rgb;
    rgb.width = 4, rgb.height = 4, rgb.pixels.assign(16, 0x336699);
    const std::string good = buildBmp(rgb);
    BmpSpec indexed = paletted(40, 8, 2);
    indexed.palette.resize(4);
    indexed.colorsUsed = 4;
    for (auto& p : indexed.pixels)
        p %= 4;
    indexed.pixels[5] = 4;
    BmpSpec rle = paletted(40, 8, 2);
    rle.compression = 1;
    rle.rle = std::string("\x02\x01\x00\x00", 4); // stops before the second row

    return {
        { "empty file", "", BmpError::UnknownFormat },
        { "not a bitmap", "GIF89a" + good.substr(6), BmpError::UnknownFormat },
        { "header cut short", good.substr(0, 30), BmpError::ConversionError },
        { "file header only", good.substr(0, 14), BmpError::ConversionError },
        { "unknown header size", withU32(good, 14, 20), BmpError::UnknownFormat },
        { "zero bits per pixel", good.substr(0, 28) + std::string("\0\0", 2) + good.substr(30),
            BmpError::UnknownFormat },
        { "seven bits per pixel", good.substr(0, 28) + std::string("\7\0", 2) + good.substr(30),
            BmpError::UnknownFormat },
        { "JPEG inside", withU32(good, 30, 4), BmpError::UnknownFormat },
        { "masks on 24 bits", withU32(good, 30, 3), BmpError::UnknownFormat },
        { "zero width", withU32(good, 18, 0), BmpError::ConversionError },
        { "negative width", withU32(good, 18, static_cast<std::uint32_t>(-4)), BmpError::ConversionError },
        { "zero height", withU32(good, 22, 0), BmpError::ConversionError },
        { "most negative height", withU32(good, 22, 0x80000000u), BmpError::OutOfMemory },
        { "enormous", withU32(withU32(good, 18, 100000), 22, 100000), BmpError::OutOfMemory },
        { "widest rows", withU32(withU32(good, 18, 0x7FFFFFFF), 22, 1), BmpError::OutOfMemory },
        { "pixels cut short", good.substr(0, good.size() - 20), BmpError::ConversionError },
        { "pixel offset past the end", withU32(good, 10, 0xFFFFFFF0u), BmpError::ConversionError },
        { "palette index out of range", buildBmp(indexed), BmpError::ConversionError },
        { "colour table cut short", buildBmp(paletted(40, 8, 2)).substr(0, 300), BmpError::ConversionError },
        { "run-length data cut short", buildBmp(rle), BmpError::ConversionError },
    };
}

TEST(BmpReader, RefusesBrokenFilesWithTheRightFailure)
{
    for (const Broken& broken : brokenFiles()) {
        RgbImage image;
        image.width = 7;
        image.rgb.assign(5, 1);
        BmpError error = BmpError::None;
        const std::size_t allocated = largestAllocationDecoding(broken.file, image, error);
        EXPECT_EQ(error, broken.error) << broken.what;
        EXPECT_TRUE(image.rgb.empty() && image.width == 0 && image.height == 0) << broken.what;
        // Whatever the picture declares, a refused file costs about its own size.
        EXPECT_LE(allocated, std::max<std::size_t>(broken.file.size(), 4096)) << broken.what;
    }
}

// A few bytes of run-length data declaring a large picture.
std::string runLengthFile(std::int32_t width, std::int32_t height, const std::string& runs)
{
    BmpSpec layout = paletted(40, 8, 1);
    layout.compression = 1;
    layout.palette = { 0x102030, 0xFF0000 };
    layout.width = width, layout.height = height;
    layout.rle = runs;
    return buildBmp(layout);
}

TEST(BmpReader, ATinyFileDeclaringAHugePictureCostsNoMoreThanItsData)
{
    const std::string endOfPicture("\x00\x01", 2);
    const std::string runOfRed("\x05\x01", 2);
    RgbImage image;
    BmpError error = BmpError::None;

    // 8192 x 8192: above what the reader takes at all.
    const std::string huge = runLengthFile(8192, 8192, runOfRed + endOfPicture);
    EXPECT_LT(huge.size(), 100u);
    EXPECT_LT(largestAllocationDecoding(huge, image, error), 4096u);
    EXPECT_EQ(error, BmpError::OutOfMemory);

    // The largest picture taken, its data ending before the picture does:
    // refused before anything of the declared size is allocated.
    EXPECT_LT(largestAllocationDecoding(runLengthFile(4096, 4096, runOfRed), image, error), 4096u);
    EXPECT_EQ(error, BmpError::ConversionError);
    // Row after row of ends of line, each two bytes long, stopping short.
    std::string rows;
    for (int i = 0; i < 1000; ++i)
        rows += std::string("\x00\x00", 2);
    EXPECT_LT(largestAllocationDecoding(runLengthFile(4096, 4096, rows), image, error), 4096u + rows.size());
    EXPECT_EQ(error, BmpError::ConversionError);

    // Complete data, ended early by its own mark: one picture-sized
    // allocation, the rest in colour 0.
    const std::size_t bytes = std::size_t { 4096 } * 4096 * 3;
    EXPECT_EQ(largestAllocationDecoding(runLengthFile(4096, 4096, runOfRed + endOfPicture), image, error), bytes);
    ASSERT_EQ(error, BmpError::None);
    ASSERT_EQ(image.rgb.size(), bytes);
    EXPECT_EQ(colours(image).front(), 0xFF0000u);
    EXPECT_EQ(colours(image)[4], 0xFF0000u);
    EXPECT_EQ(colours(image)[5], 0x102030u);
    EXPECT_EQ(colours(image).back(), 0x102030u);
}

TEST(BmpReader, AcceptsALastRowWithoutItsPadding)
{
    BmpSpec layout;
    layout.width = 5, layout.height = 2, layout.pixels.assign(10, 0x204060);
    std::string file = buildBmp(layout);
    RgbImage image;
    ASSERT_EQ(decode(file.substr(0, file.size() - 1), image), BmpError::None);
    EXPECT_EQ(colours(image), Pixels(10, 0x204060));
    EXPECT_EQ(decode(file.substr(0, file.size() - 2), image), BmpError::ConversionError);
}

// Hostile input: damaged copies of valid files must decode to a consistent
// picture or fail, never read outside the data (run this under a sanitizer).
TEST(BmpReader, SurvivesDamagedFiles)
{
    BmpSpec masks;
    masks.bitCount = 16, masks.compression = 3, masks.width = 9, masks.height = -5;
    masks.masks[0] = 0xF800, masks.masks[1] = 0x07E0, masks.masks[2] = 0x001F;
    masks.pixels.assign(45, 0x1234);
    BmpSpec rle = paletted(40, 8, 3);
    rle.compression = 1;
    rle.rle = std::string("\x05\x01\x00\x04\x01\x02\x03\x00\x00\x00\x00\x02\x03\x01\x00\x01", 16);
    const std::vector<std::string> originals = { buildBmp(paletted(12, 4, 3)), buildBmp(paletted(40, 1, -3)),
        buildBmp(paletted(124, 8, 4)), buildBmp(masks), buildBmp(rle) };

    std::mt19937 random(20240601);
    int decoded = 0, refused = 0;
    for (int round = 0; round < 3000; ++round) {
        std::string file = originals[round % originals.size()];
        int damage = 1 + static_cast<int>(random() % 4);
        for (int i = 0; i < damage; ++i)
            file[random() % file.size()] = static_cast<char>(random());
        if (random() % 3 == 0)
            file.resize(random() % file.size());
        // Copy into a buffer of exactly that size so any overread is caught.
        std::vector<unsigned char> bytes(file.begin(), file.end());
        RgbImage image;
        BmpError error = decodeBmp(bytes.data(), bytes.size(), image);
        if (error == BmpError::None) {
            ++decoded;
            ASSERT_GT(image.width, 0);
            ASSERT_GT(image.height, 0);
            ASSERT_EQ(image.rgb.size(), static_cast<std::size_t>(image.width) * image.height * 3);
        } else {
            ++refused;
            ASSERT_TRUE(image.rgb.empty());
        }
    }
    // Both outcomes must have been exercised for the check to mean anything.
    EXPECT_GT(decoded, 100);
    EXPECT_GT(refused, 100);
}

TEST(BmpFile, ReadsFromDiskAndReportsOnlyExistingBrokenFiles)
{
    ScratchDir dir;
    ::unsetenv("DISPLAY"); // the report must not wait for someone to close a box

    BmpSpec layout;
    layout.width = 2, layout.height = 2, layout.pixels = { 0x010203, 0x040506, 0x070809, 0x0A0B0C };
    dir.write("Textures/good.bmp", buildBmp(layout));
    dir.write("Textures/bad.bmp", "BM this is not a picture");

    RgbImage image;
    EXPECT_EQ(readBmp("Textures/good.bmp", image), BmpError::None);
    EXPECT_EQ(colours(image), expected(layout, [](std::uint32_t p) { return p; }));
    EXPECT_EQ(readBmp("Textures/missing.bmp", image), BmpError::CannotOpen);
    EXPECT_EQ(readBmp("Textures", image), BmpError::CannotOpen);
    ASSERT_EQ(::mkfifo("Textures/pipe.bmp", 0600), 0);
    EXPECT_EQ(readBmp("Textures/pipe.bmp", image), BmpError::CannotOpen) << "a pipe nobody writes to must not hang";

    ::testing::internal::CaptureStderr();
    EXPECT_FALSE(loadBmp("Textures/missing.bmp", image));
    EXPECT_EQ(::testing::internal::GetCapturedStderr(), "");

    ::testing::internal::CaptureStderr();
    EXPECT_FALSE(loadBmp("Textures/bad.bmp", image));
    EXPECT_NE(::testing::internal::GetCapturedStderr().find("Unknown DIB file format."), std::string::npos);
    EXPECT_TRUE(image.rgb.empty());

    EXPECT_TRUE(loadBmp("Textures/good.bmp", image));
    EXPECT_EQ(image.width, 2);
}

TEST(BmpFile, NamesEachFailureAsThePlayerSeesIt)
{
    EXPECT_EQ(bmpErrorText(BmpError::UnknownFormat), "Unknown DIB file format.");
    EXPECT_EQ(bmpErrorText(BmpError::ConversionError), "Image file conversion error.");
    EXPECT_EQ(bmpErrorText(BmpError::OutOfMemory), "Out of memory.");
    EXPECT_EQ(bmpErrorText(BmpError::CannotOpen), "");
}

} // namespace
