#include "platform/BmpImage.h"

#include "platform/ImageFailures.h"

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <new>

namespace cubrava {

namespace {

constexpr std::size_t kFileHeaderSize = 14;
constexpr std::uint32_t kCoreHeaderSize = 12; // OS/2 1.x
constexpr std::uint32_t kOs2ShortHeaderSize = 16; // OS/2 2.x, fields after the depth left out
constexpr std::uint32_t kInfoHeaderSize = 40;
constexpr std::uint32_t kOs2HeaderSize = 64;

enum Compression : std::uint32_t {
    Rgb = 0,
    Rle8 = 1,
    Rle4 = 2,
    BitFields = 3,
    AlphaBitFields = 6,
};

// Bounds-checked little-endian reads over the file's bytes.
class Bytes {
public:
    Bytes(const unsigned char* data, std::size_t size)
        : data_(data)
        , size_(size)
    {
    }

    std::size_t size() const { return size_; }
    bool has(std::uint64_t offset, std::uint64_t count) const { return offset <= size_ && count <= size_ - offset; }
    unsigned char u8(std::size_t at) const { return data_[at]; }
    std::uint16_t u16(std::size_t at) const { return static_cast<std::uint16_t>(data_[at] | data_[at + 1] << 8); }
    std::uint32_t u32(std::size_t at) const
    {
        return static_cast<std::uint32_t>(data_[at]) | static_cast<std::uint32_t>(data_[at + 1]) << 8
            | static_cast<std::uint32_t>(data_[at + 2]) << 16 | static_cast<std::uint32_t>(data_[at + 3]) << 24;
    }
    std::int32_t i32(std::size_t at) const { return static_cast<std::int32_t>(u32(at)); }
    const unsigned char* at(std::size_t offset) const { return data_ + offset; }

private:
    const unsigned char* data_;
    std::size_t size_;
};

struct Rgb8 {
    unsigned char r = 0, g = 0, b = 0;
};

// One colour channel of a 16- or 32-bit pixel, scaled to 0..255.
class Channel {
public:
    explicit Channel(std::uint32_t mask)
        : mask_(mask)
    {
        if (mask_ == 0)
            return;
        while (!((mask_ >> shift_) & 1u))
            ++shift_;
        max_ = mask_ >> shift_;
    }

    unsigned char operator()(std::uint32_t pixel) const
    {
        if (max_ == 0)
            return 0;
        std::uint64_t value = (pixel & mask_) >> shift_;
        return static_cast<unsigned char>((value * 255 + max_ / 2) / max_);
    }

private:
    std::uint32_t mask_;
    unsigned shift_ = 0;
    std::uint64_t max_ = 0;
};

struct Header {
    std::int64_t width = 0;
    std::int64_t height = 0; // negative: top row first
    unsigned bitCount = 0;
    std::uint32_t compression = Rgb;
    std::uint32_t colorsUsed = 0;
    std::uint32_t masks[3] = { 0, 0, 0 };
    std::size_t paletteStart = 0;
    std::size_t paletteEntrySize = 4;
};

BmpError readHeader(const Bytes& bytes, Header& header)
{
    if (bytes.size() < 2 || bytes.u8(0) != 'B' || bytes.u8(1) != 'M')
        return BmpError::UnknownFormat;
    if (!bytes.has(0, kFileHeaderSize + 4))
        return BmpError::ConversionError;
    std::uint32_t size = bytes.u32(kFileHeaderSize);
    bool known = size == kCoreHeaderSize || size == kOs2ShortHeaderSize || size == kInfoHeaderSize || size == 52
        || size == 56 || size == kOs2HeaderSize || size == 108 || size == 124;
    if (!known)
        return BmpError::UnknownFormat;
    if (!bytes.has(kFileHeaderSize, size))
        return BmpError::ConversionError;

    const std::size_t h = kFileHeaderSize;
    if (size == kCoreHeaderSize) {
        header.width = bytes.u16(h + 4);
        header.height = bytes.u16(h + 6);
        header.bitCount = bytes.u16(h + 10);
        header.paletteEntrySize = 3;
    } else {
        header.width = bytes.i32(h + 4);
        header.height = bytes.i32(h + 8);
        header.bitCount = bytes.u16(h + 14);
        if (size >= kInfoHeaderSize) {
            header.compression = bytes.u32(h + 16);
            header.colorsUsed = bytes.u32(h + 32);
        }
    }
    header.paletteStart = h + size;

    // OS/2 numbers its Huffman and 24-bit RLE schemes 3 and 4, not bit fields.
    if (size == kOs2HeaderSize && header.compression > Rle4)
        return BmpError::UnknownFormat;

    if (header.compression == BitFields || header.compression == AlphaBitFields) {
        if (header.bitCount != 16 && header.bitCount != 32)
            return BmpError::UnknownFormat;
        std::size_t masksAt = h + kInfoHeaderSize;
        if (size == kInfoHeaderSize) {
            // The masks follow the short header, ahead of any colour table.
            std::size_t maskBytes = header.compression == AlphaBitFields ? 16 : 12;
            if (!bytes.has(masksAt, maskBytes))
                return BmpError::ConversionError;
            header.paletteStart += maskBytes;
        }
        for (int i = 0; i < 3; ++i)
            header.masks[i] = bytes.u32(masksAt + 4 * i);
    } else if (header.compression == Rgb) {
        switch (header.bitCount) {
        case 1:
        case 4:
        case 8:
        case 24:
            break;
        case 16:
            header.masks[0] = 0x7C00, header.masks[1] = 0x03E0, header.masks[2] = 0x001F;
            break;
        case 32:
            header.masks[0] = 0xFF0000, header.masks[1] = 0xFF00, header.masks[2] = 0xFF;
            break;
        default:
            return BmpError::UnknownFormat;
        }
    } else if (!(header.compression == Rle8 && header.bitCount == 8)
        && !(header.compression == Rle4 && header.bitCount == 4)) {
        return BmpError::UnknownFormat;
    }

    if (header.width <= 0 || header.height == 0)
        return BmpError::ConversionError;
    std::int64_t rows = header.height < 0 ? -header.height : header.height;
    if (header.width * rows > kMaxBmpPixels)
        return BmpError::OutOfMemory;
    // Compressed rows run bottom up only.
    if (header.height < 0 && (header.compression == Rle8 || header.compression == Rle4))
        return BmpError::ConversionError;
    return BmpError::None;
}

// Reads the colour table and returns where the pixels start, or 0 when the file is cut short.
std::size_t readPalette(const Bytes& bytes, const Header& header, std::vector<Rgb8>& palette)
{
    std::size_t end = header.paletteStart;
    if (header.bitCount <= 8) {
        std::uint64_t count = 1u << header.bitCount;
        if (header.colorsUsed != 0 && header.colorsUsed < count)
            count = header.colorsUsed;
        // Some writers keep a shorter table than declared; the pixel offset tells.
        std::uint32_t offBits = bytes.u32(10);
        if (offBits > header.paletteStart && (offBits - header.paletteStart) / header.paletteEntrySize < count)
            count = (offBits - header.paletteStart) / header.paletteEntrySize;
        if (!bytes.has(header.paletteStart, count * header.paletteEntrySize))
            return 0;
        palette.resize(count);
        for (std::size_t i = 0; i < count; ++i) {
            std::size_t at = header.paletteStart + i * header.paletteEntrySize;
            palette[i] = Rgb8 { bytes.u8(at + 2), bytes.u8(at + 1), bytes.u8(at) };
        }
        end += count * header.paletteEntrySize;
    }
    std::uint32_t offBits = bytes.u32(10);
    return offBits >= end ? offBits : end;
}

class Output {
public:
    Output(RgbImage& image, std::int64_t width)
        : image_(image)
        , width_(width)
    {
    }

    unsigned char* row(std::int64_t y) { return image_.rgb.data() + y * width_ * 3; }

private:
    RgbImage& image_;
    std::int64_t width_;
};

std::uint64_t rowStride(const Header& header)
{
    return (static_cast<std::uint64_t>(header.width) * header.bitCount + 31) / 32 * 4;
}

// Whether the file holds every stored row. The final row's padding is often
// left out; everything before it must be there.
bool holdsAllRows(const Bytes& bytes, const Header& header, std::size_t pixels)
{
    std::uint64_t rows = header.height < 0 ? -header.height : header.height;
    std::uint64_t lastRow = (static_cast<std::uint64_t>(header.width) * header.bitCount + 7) / 8;
    return bytes.has(pixels, rowStride(header) * (rows - 1) + lastRow);
}

// Expects holdsAllRows.
BmpError decodeRows(
    const Bytes& bytes, const Header& header, std::size_t pixels, const std::vector<Rgb8>& palette, RgbImage& image)
{
    const std::int64_t width = header.width;
    const std::int64_t rows = image.height;
    const std::uint64_t stride = rowStride(header);
    Output out(image, width);
    Channel red(header.masks[0]), green(header.masks[1]), blue(header.masks[2]);
    for (std::int64_t r = 0; r < rows; ++r) {
        const unsigned char* src = bytes.at(pixels + r * stride);
        unsigned char* dst = out.row(header.height > 0 ? r : rows - 1 - r);
        for (std::int64_t x = 0; x < width; ++x, dst += 3) {
            switch (header.bitCount) {
            case 1:
            case 4:
            case 8: {
                const unsigned bits = header.bitCount;
                const std::uint64_t bit = static_cast<std::uint64_t>(x) * bits;
                unsigned index = (src[bit / 8] >> (8 - bits - bit % 8)) & ((1u << bits) - 1);
                if (index >= palette.size())
                    return BmpError::ConversionError;
                dst[0] = palette[index].r, dst[1] = palette[index].g, dst[2] = palette[index].b;
                break;
            }
            case 16: {
                std::uint32_t p = src[2 * x] | src[2 * x + 1] << 8;
                dst[0] = red(p), dst[1] = green(p), dst[2] = blue(p);
                break;
            }
            case 24:
                dst[0] = src[3 * x + 2], dst[1] = src[3 * x + 1], dst[2] = src[3 * x];
                break;
            case 32: {
                const unsigned char* s = src + 4 * x;
                std::uint32_t p = s[0] | s[1] << 8 | s[2] << 16 | static_cast<std::uint32_t>(s[3]) << 24;
                dst[0] = red(p), dst[1] = green(p), dst[2] = blue(p);
                break;
            }
            }
        }
    }
    return BmpError::None;
}

// Walks the runs of a 4- or 8-bit run-length encoded picture and hands every
// pixel they set inside the picture to put(x, y, palette index). The work
// follows the data, not the declared size: each code sets at most 255 pixels,
// and skips only move the position.
template <typename Put>
BmpError walkRle(const Bytes& bytes, const Header& header, std::size_t pixels, std::size_t paletteSize,
    std::int64_t width, std::int64_t rows, Put put)
{
    const bool four = header.compression == Rle4;
    std::int64_t x = 0, y = 0;
    auto set = [&](unsigned index) {
        if (index >= paletteSize)
            return false;
        if (x < width && y < rows)
            put(x, y, index);
        ++x;
        return true;
    };

    std::size_t at = pixels;
    while (y < rows) {
        if (!bytes.has(at, 2))
            return BmpError::ConversionError;
        unsigned count = bytes.u8(at), value = bytes.u8(at + 1);
        at += 2;
        if (count > 0) {
            for (unsigned i = 0; i < count; ++i) {
                unsigned index = four ? (i % 2 ? value & 0x0F : value >> 4) : value;
                if (!set(index))
                    return BmpError::ConversionError;
            }
        } else if (value == 0) {
            x = 0, ++y;
        } else if (value == 1) {
            break;
        } else if (value == 2) {
            if (!bytes.has(at, 2))
                return BmpError::ConversionError;
            x += bytes.u8(at), y += bytes.u8(at + 1);
            at += 2;
        } else {
            std::size_t dataBytes = four ? (value + 1) / 2 : value;
            if (!bytes.has(at, dataBytes))
                return BmpError::ConversionError;
            for (unsigned i = 0; i < value; ++i) {
                unsigned byte = bytes.u8(at + (four ? i / 2 : i));
                unsigned index = four ? (i % 2 ? byte & 0x0F : byte >> 4) : byte;
                if (!set(index))
                    return BmpError::ConversionError;
            }
            at += dataBytes + dataBytes % 2; // runs are padded to whole words
        }
    }
    return BmpError::None;
}

// Pixels the runs skip keep colour 0.
void decodeRle(
    const Bytes& bytes, const Header& header, std::size_t pixels, const std::vector<Rgb8>& palette, RgbImage& image)
{
    const std::int64_t width = image.width;
    Output out(image, width);
    const Rgb8 background = palette[0];
    for (std::size_t i = 0; i + 2 < image.rgb.size(); i += 3)
        image.rgb[i] = background.r, image.rgb[i + 1] = background.g, image.rgb[i + 2] = background.b;
    walkRle(bytes, header, pixels, palette.size(), width, image.height,
        [&](std::int64_t x, std::int64_t y, unsigned index) {
            unsigned char* dst = out.row(y) + 3 * x;
            dst[0] = palette[index].r, dst[1] = palette[index].g, dst[2] = palette[index].b;
        });
}

} // namespace

BmpError decodeBmp(const unsigned char* data, std::size_t size, RgbImage& image)
{
    image = RgbImage {};
    Bytes bytes(data, size);
    Header header;
    if (BmpError error = readHeader(bytes, header); error != BmpError::None)
        return error;

    std::vector<Rgb8> palette;
    std::size_t pixels = readPalette(bytes, header, palette);
    if (pixels == 0)
        return BmpError::ConversionError;

    RgbImage decoded;
    decoded.width = static_cast<int>(header.width);
    decoded.height = static_cast<int>(header.height < 0 ? -header.height : header.height);

    // Nothing is allocated for the picture until its data is known to be all
    // there: a small file declaring a large picture costs no more than its size.
    const bool rle = header.compression == Rle8 || header.compression == Rle4;
    if (rle) {
        if (palette.empty())
            return BmpError::ConversionError;
        BmpError error = walkRle(bytes, header, pixels, palette.size(), decoded.width, decoded.height,
            [](std::int64_t, std::int64_t, unsigned) {});
        if (error != BmpError::None)
            return error;
    } else if (!holdsAllRows(bytes, header, pixels)) {
        return BmpError::ConversionError;
    }

    try {
        decoded.rgb.assign(static_cast<std::size_t>(decoded.width) * decoded.height * 3, 0);
    } catch (const std::bad_alloc&) {
        return BmpError::OutOfMemory;
    }

    if (rle) {
        decodeRle(bytes, header, pixels, palette, decoded);
    } else if (BmpError error = decodeRows(bytes, header, pixels, palette, decoded); error != BmpError::None) {
        return error;
    }
    image = std::move(decoded);
    return BmpError::None;
}

BmpError readBmp(const std::string& path, RgbImage& image)
{
    image = RgbImage {};
    // A folder, a pipe or a device is no picture; opening some of them waits.
    std::error_code ignored;
    if (!std::filesystem::is_regular_file(path, ignored))
        return BmpError::CannotOpen;
    std::ifstream file(path, std::ios::binary | std::ios::ate);
    if (!file)
        return BmpError::CannotOpen;
    std::streamoff length = file.tellg();
    if (length < 0)
        return BmpError::CannotOpen;
    // Bytes past the largest picture we accept are never looked at.
    const std::uint64_t useful = static_cast<std::uint64_t>(kMaxBmpPixels) * 4 + (1u << 20);
    std::size_t size = static_cast<std::uint64_t>(length) < useful ? static_cast<std::size_t>(length) : useful;
    std::vector<unsigned char> data;
    try {
        data.resize(size);
    } catch (const std::bad_alloc&) {
        return BmpError::OutOfMemory;
    }
    file.seekg(0);
    if (!file.read(reinterpret_cast<char*>(data.data()), static_cast<std::streamsize>(size)))
        return BmpError::ConversionError;
    return decodeBmp(data.data(), data.size(), image);
}

bool loadBmp(const std::string& path, RgbImage& image)
{
    BmpError error = readBmp(path, image);
    if (error == BmpError::None)
        return true;
    if (error != BmpError::CannotOpen) {
        std::string text = bmpErrorText(error);
        std::fprintf(stderr, "%s: %s\n", path.c_str(), text.c_str());
        reportImageFailure(path, text);
    }
    return false;
}

std::string bmpErrorText(BmpError error)
{
    switch (error) {
    case BmpError::UnknownFormat:
        return "Unknown DIB file format.";
    case BmpError::ConversionError:
        return "Image file conversion error.";
    case BmpError::OutOfMemory:
        return "Out of memory.";
    case BmpError::None:
    case BmpError::CannotOpen:
        break;
    }
    return "";
}

} // namespace cubrava
