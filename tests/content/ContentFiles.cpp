#include "ContentFiles.h"

#include <fstream>
#include <iterator>

std::string shippedConfig(const std::string& name)
{
    return std::string(CUBRAVA_SHIPPED_CONFIG_DIR) + "/" + name;
}

std::string runFile(const std::string& relative)
{
    return std::string(CUBRAVA_RUN_DIR) + "/" + relative;
}

std::vector<std::uint8_t> readBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::vector<std::uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

namespace {

std::uint32_t u16(const std::vector<std::uint8_t>& b, std::size_t at)
{
    return static_cast<std::uint32_t>(b[at] | (b[at + 1] << 8));
}

std::uint32_t u32(const std::vector<std::uint8_t>& b, std::size_t at)
{
    return u16(b, at) | (u16(b, at + 2) << 16);
}

bool tagAt(const std::vector<std::uint8_t>& b, std::size_t at, const char* tag)
{
    return b.size() >= at + 4
        && std::string(b.begin() + static_cast<long>(at), b.begin() + static_cast<long>(at) + 4) == tag;
}

Bitmap badBitmap(const std::string& problem)
{
    Bitmap bmp;
    bmp.problem = problem;
    return bmp;
}

Wave badWave(const std::string& problem)
{
    Wave wave;
    wave.problem = problem;
    return wave;
}

bool powerOfTwo(std::uint32_t v)
{
    return v != 0 && (v & (v - 1)) == 0;
}

} // namespace

double Bitmap::brightness(int x, int y) const
{
    std::size_t at = (static_cast<std::size_t>(y) * static_cast<std::size_t>(width) + static_cast<std::size_t>(x)) * 3;
    return (rgb[at] + rgb[at + 1] + rgb[at + 2]) / (3.0 * 255.0);
}

double Bitmap::meanBrightness() const
{
    double sum = 0.0;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            sum += brightness(x, y);
    return sum / (static_cast<double>(width) * height);
}

Bitmap readBitmap(const std::string& path)
{
    std::vector<std::uint8_t> b = readBytes(path);
    if (b.size() < 54 || b[0] != 'B' || b[1] != 'M')
        return badBitmap("not a bitmap");
    if (u32(b, 2) != b.size())
        return badBitmap("file size field disagrees with the file");
    if (u32(b, 14) != 40)
        return badBitmap("not a BITMAPINFOHEADER");
    const std::uint32_t width = u32(b, 18), height = u32(b, 22);
    if (u16(b, 26) != 1 || u16(b, 28) != 24 || u32(b, 30) != 0)
        return badBitmap("not 24-bit uncompressed");
    if (!powerOfTwo(width) || !powerOfTwo(height) || width > 4096 || height > 4096)
        return badBitmap("size " + std::to_string(width) + " x " + std::to_string(height) + " is not a power of two");
    const std::size_t row = (width * 3 + 3) & ~3u;
    const std::size_t offset = u32(b, 10);
    if (offset < 54 || offset + row * height > b.size())
        return badBitmap("pixel data missing");
    Bitmap bmp;
    bmp.width = static_cast<int>(width);
    bmp.height = static_cast<int>(height);
    for (std::size_t y = 0; y < height; ++y)
        for (std::size_t x = 0; x < width; ++x) {
            std::size_t at = offset + y * row + x * 3;
            bmp.rgb.insert(bmp.rgb.end(), { b[at + 2], b[at + 1], b[at] });
        }
    return bmp;
}

Wave readWave(const std::string& path)
{
    std::vector<std::uint8_t> b = readBytes(path);
    if (b.size() < 44 || !tagAt(b, 0, "RIFF") || !tagAt(b, 8, "WAVE"))
        return badWave("not a RIFF/WAVE file");
    if (u32(b, 4) != b.size() - 8)
        return badWave("RIFF size disagrees with the file");
    if (!tagAt(b, 12, "fmt ") || u32(b, 16) != 16)
        return badWave("no 16-byte fmt chunk first");
    if (u16(b, 20) != 1 || u16(b, 22) != 1 || u32(b, 24) != 11025 || u32(b, 28) != 11025 || u16(b, 32) != 1
        || u16(b, 34) != 8)
        return badWave("not PCM, mono, 11025 Hz, 8-bit");
    if (!tagAt(b, 36, "data"))
        return badWave("no data chunk after fmt");
    const std::size_t size = u32(b, 40);
    const std::size_t padded = size + (size & 1);
    if (44 + padded != b.size())
        return badWave("data chunk not padded to even length or followed by other bytes");
    Wave wave;
    for (std::size_t i = 0; i < size; ++i)
        wave.samples.push_back(static_cast<int>(b[44 + i]) - 128);
    return wave;
}
