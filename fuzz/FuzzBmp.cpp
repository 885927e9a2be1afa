// A texture file: the image decoder, on the bytes as they are.
#include "platform/BmpImage.h"

#include <cstddef>
#include <cstdint>

using namespace cubrava;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    RgbImage image;
    if (decodeBmp(data, size, image) == BmpError::None && image.rgb.size() != std::size_t(image.width) * image.height * 3)
        __builtin_trap(); // a decoded picture must hold every pixel it declares
    return 0;
}
