#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Builds bitmap files byte by byte, so the reader is checked against files
// whose every field the test chose.
struct BmpSpec {
    std::uint32_t headerSize = 40; // 12 (OS/2 core), 40, 108 or 124
    std::int32_t width = 1;
    std::int32_t height = 1; // negative: rows stored top first
    std::uint16_t bitCount = 24;
    std::uint32_t compression = 0;
    std::uint32_t colorsUsed = 0;
    std::vector<std::uint32_t> palette; // 0xRRGGBB
    std::uint32_t masks[3] = { 0, 0, 0 }; // written when compression is 3
    // Pixels in file order (first stored row first): palette indices, or the
    // raw 16/32-bit value, or 0xRRGGBB for 24 bits.
    std::vector<std::uint32_t> pixels;
    std::string rle; // replaces the packed rows when not empty
};

inline void putU16(std::string& out, std::uint32_t v)
{
    out += static_cast<char>(v & 0xFF);
    out += static_cast<char>((v >> 8) & 0xFF);
}

inline void putU32(std::string& out, std::uint32_t v)
{
    putU16(out, v & 0xFFFF);
    putU16(out, v >> 16);
}

inline std::string packRows(const BmpSpec& layout)
{
    std::string rows;
    int width = layout.width;
    int height = layout.height < 0 ? -layout.height : layout.height;
    for (int r = 0; r < height; ++r) {
        std::string row;
        unsigned acc = 0, bits = 0;
        for (int x = 0; x < width; ++x) {
            std::uint32_t p = layout.pixels[static_cast<std::size_t>(r) * width + x];
            switch (layout.bitCount) {
            case 1:
            case 4:
            case 8:
                acc = acc << layout.bitCount | p;
                bits += layout.bitCount;
                if (bits == 8) {
                    row += static_cast<char>(acc);
                    acc = bits = 0;
                }
                break;
            case 16:
                putU16(row, p);
                break;
            case 24:
                row += static_cast<char>(p & 0xFF);
                row += static_cast<char>((p >> 8) & 0xFF);
                row += static_cast<char>((p >> 16) & 0xFF);
                break;
            case 32:
                putU32(row, p);
                break;
            }
        }
        if (bits)
            row += static_cast<char>(acc << (8 - bits));
        while (row.size() % 4)
            row += '\0';
        rows += row;
    }
    return rows;
}

inline std::string buildBmp(const BmpSpec& layout)
{
    std::string info;
    putU32(info, layout.headerSize);
    if (layout.headerSize == 12) {
        putU16(info, layout.width);
        putU16(info, layout.height);
        putU16(info, 1);
        putU16(info, layout.bitCount);
    } else {
        putU32(info, layout.width);
        putU32(info, layout.height);
        putU16(info, 1);
        putU16(info, layout.bitCount);
        putU32(info, layout.compression);
        putU32(info, 0); // image size
        putU32(info, 2835);
        putU32(info, 2835);
        putU32(info, layout.colorsUsed);
        putU32(info, 0);
        if (layout.headerSize > 40) {
            for (std::uint32_t m : layout.masks)
                putU32(info, m);
        }
        info.resize(layout.headerSize, '\0');
    }
    std::string extra;
    if (layout.headerSize == 40 && layout.compression == 3) {
        for (std::uint32_t m : layout.masks)
            putU32(extra, m);
    }
    for (std::uint32_t c : layout.palette) {
        extra += static_cast<char>(c & 0xFF);
        extra += static_cast<char>((c >> 8) & 0xFF);
        extra += static_cast<char>((c >> 16) & 0xFF);
        if (layout.headerSize != 12)
            extra += '\0';
    }
    std::string pixels = layout.rle.empty() ? packRows(layout) : layout.rle;

    std::string file = "BM";
    std::uint32_t offset = 14 + static_cast<std::uint32_t>(info.size() + extra.size());
    putU32(file, offset + static_cast<std::uint32_t>(pixels.size()));
    putU32(file, 0);
    putU32(file, offset);
    return file + info + extra + pixels;
}
