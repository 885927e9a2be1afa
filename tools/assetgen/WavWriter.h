#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace cubrava::assetgen {

// The one audio format the game's sound library mixes without conversion.
constexpr int SampleRate = 11025;

// The mixer sums sounds with hard clipping, so each one keeps its peak at or
// below this fraction of full scale.
constexpr float PeakLimit = 0.45f;

// Scales a sound so its peak sits at `peak` of full scale (a silent sound
// stays silent).
void normalise(std::vector<float>& samples, float peak);

// Mono, 8-bit unsigned PCM at SampleRate in a RIFF/WAVE file with a 16-byte
// "fmt " chunk and an even-length "data" chunk. Samples are -1..1; anything
// beyond PeakLimit is a generator fault and throws.
std::vector<std::uint8_t> encodeWav(const std::vector<float>& samples);

void writeWav(const std::string& path, const std::vector<float>& samples);

} // namespace cubrava::assetgen
