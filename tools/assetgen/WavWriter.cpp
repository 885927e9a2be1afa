#include "WavWriter.h"

#include "FileOutput.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

namespace cubrava::assetgen {

void normalise(std::vector<float>& samples, float peak)
{
    float largest = 0.0f;
    for (float s : samples)
        largest = std::max(largest, std::fabs(s));
    if (largest <= 0.0f)
        return;
    const float gain = peak / largest;
    for (float& s : samples)
        s *= gain;
}

std::vector<std::uint8_t> encodeWav(const std::vector<float>& samples)
{
    const std::uint32_t dataSize = static_cast<std::uint32_t>(samples.size());
    const std::uint32_t padded = dataSize + (dataSize & 1u);

    std::vector<std::uint8_t> out;
    out.reserve(44 + padded);
    putTag(out, "RIFF");
    putU32(out, 4 + (8 + 16) + (8 + padded));
    putTag(out, "WAVE");
    putTag(out, "fmt ");
    putU32(out, 16);
    putU16(out, 1); // PCM
    putU16(out, 1); // mono
    putU32(out, SampleRate);
    putU32(out, SampleRate); // bytes per second
    putU16(out, 1); // block align
    putU16(out, 8);
    putTag(out, "data");
    putU32(out, dataSize);
    for (float s : samples) {
        if (!(std::fabs(s) <= PeakLimit))
            throw std::runtime_error("sample beyond the peak limit");
        out.push_back(static_cast<std::uint8_t>(128 + std::lround(s * 127.0f)));
    }
    if (padded != dataSize)
        out.push_back(128);
    return out;
}

void writeWav(const std::string& path, const std::vector<float>& samples)
{
    writeFile(path, encodeWav(samples));
}

} // namespace cubrava::assetgen
