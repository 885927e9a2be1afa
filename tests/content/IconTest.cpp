// The program's icon: a picture on a transparent ground, and PNG files of it
// that an ordinary PNG reader reads back pixel for pixel.

#include "tools/assetgen/Icon.h"
#include "tools/assetgen/PngWriter.h"

#include <gtest/gtest.h>
#include <png.h>

using namespace cubrava::assetgen;

namespace {

// Decoded by libpng, as RGBA.
std::vector<std::uint8_t> readPng(const std::vector<std::uint8_t>& file, int& width, int& height)
{
    png_image image {};
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_memory(&image, file.data(), file.size()))
        return {};
    image.format = PNG_FORMAT_RGBA;
    std::vector<std::uint8_t> pixels(PNG_IMAGE_SIZE(image));
    if (!png_image_finish_read(&image, nullptr, pixels.data(), 0, nullptr))
        return {};
    width = static_cast<int>(image.width);
    height = static_cast<int>(image.height);
    return pixels;
}

} // namespace

TEST(Icon, PngFilesReadBackExactly)
{
    // 256 pixels square needs several stored blocks; 3 by 2 is odd-sized.
    for (int size : { 16, 256 }) {
        IconPicture icon = paintIcon(size);
        int width = 0, height = 0;
        EXPECT_EQ(readPng(encodePng(size, size, icon.rgba), width, height), icon.rgba) << size;
        EXPECT_EQ(width, size);
        EXPECT_EQ(height, size);
    }
    std::vector<std::uint8_t> odd { 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 20, 21, 22, 23,
        0 };
    int width = 0, height = 0;
    EXPECT_EQ(readPng(encodePng(3, 2, odd), width, height), odd);
    EXPECT_EQ(width, 3);
    EXPECT_EQ(height, 2);
}

TEST(Icon, ACubeStackOnATransparentGround)
{
    for (int size : IconSizes) {
        IconPicture icon = paintIcon(size);
        ASSERT_EQ(icon.rgba.size(), static_cast<std::size_t>(size * size * 4));
        auto alpha = [&](int x, int y) { return icon.rgba[(y * size + x) * 4 + 3]; };
        EXPECT_EQ(alpha(0, 0) + alpha(size - 1, 0) + alpha(0, size - 1) + alpha(size - 1, size - 1), 0) << size;
        EXPECT_EQ(alpha(size / 2, size / 2), 255) << size;
        int opaque = 0, edge = 0, orange = 0;
        for (int i = 0; i < size * size; ++i) {
            const std::uint8_t* p = &icon.rgba[i * 4];
            opaque += p[3] == 255;
            edge += p[3] > 0 && p[3] < 255;
            orange += p[3] == 255 && p[0] > 180 && p[1] > 80 && p[1] < 160 && p[2] < 60;
        }
        EXPECT_GT(opaque, size * size / 3) << "the stack fills the square: " << size;
        EXPECT_GT(edge, size) << "smooth outlines: " << size;
        EXPECT_GT(orange, size * size / 40) << "the top cube's colour, unmixed from the ground: " << size;
    }
}
