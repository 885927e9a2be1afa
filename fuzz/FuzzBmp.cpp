// A texture file: the image decoder, on the bytes as they are.
#include "platform/BmpImage.h"

#include <cstddef>
#include <cstdint>

using namespace cubrava;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    RgbImage image;
    if (decodeBmp(data, size, image) != BmpError::None)
        return 0;
    // A decoded picture holds every pixel it declares.
    const std::size_t pixels = static_cast<std::size_t>(image.width) * static_cast<std::size_t>(image.height);
    if (image.rgb.size() != pixels * 3)
        __builtin_trap();
    return 0;
}
