#include "BmpWriter.h"

#include "FileOutput.h"

#include <cmath>

namespace cubrava::assetgen {

std::uint8_t toByte(float channel)
{
    return static_cast<std::uint8_t>(std::lround(clamp01(channel) * 255.0f));
}

std::vector<std::uint8_t> encodeBmp(const Image& image)
{
    const std::uint32_t headerSize = 14 + 40;
    const std::uint32_t rowSize = (static_cast<std::uint32_t>(image.width()) * 3 + 3) & ~3u;
    const std::uint32_t pixelSize = rowSize * static_cast<std::uint32_t>(image.height());

    std::vector<std::uint8_t> out;
    out.reserve(headerSize + pixelSize);
    out.push_back('B');
    out.push_back('M');
    putU32(out, headerSize + pixelSize);
    putU32(out, 0); // reserved
    putU32(out, headerSize);

    putU32(out, 40);
    putU32(out, static_cast<std::uint32_t>(image.width()));
    putU32(out, static_cast<std::uint32_t>(image.height())); // positive: bottom row first
    putU16(out, 1); // planes
    putU16(out, 24);
    putU32(out, 0); // BI_RGB
    putU32(out, pixelSize);
    putU32(out, 2835); // 72 dpi
    putU32(out, 2835);
    putU32(out, 0);
    putU32(out, 0);

    for (int y = image.height() - 1; y >= 0; --y) {
        std::size_t rowStart = out.size();
        for (int x = 0; x < image.width(); ++x) {
            const Rgb& c = image.at(x, y);
            out.push_back(toByte(c.b));
            out.push_back(toByte(c.g));
            out.push_back(toByte(c.r));
        }
        while (out.size() - rowStart < rowSize)
            out.push_back(0);
    }
    return out;
}

void writeBmp(const std::string& path, const Image& image)
{
    writeFile(path, encodeBmp(image));
}

} // namespace cubrava::assetgen
