#pragma once

#include <cmath>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

// Writes a sine tone as the library plays it best: PCM, mono, 11025 Hz,
// 8 bits unsigned, data padded to an even length; folders are created.
inline void writeToneWav(const std::string& path, double hertz, double seconds, double peak)
{
    const int rate = 11025;
    auto frames = static_cast<std::uint32_t>(seconds * rate);
    frames += frames % 2;
    std::vector<char> data(frames);
    for (std::uint32_t i = 0; i < frames; ++i) {
        const double value = peak * 127.0 * std::sin(2.0 * M_PI * hertz * i / rate);
        data[i] = static_cast<char>(static_cast<std::uint8_t>(128 + std::lround(value)));
    }
    const std::filesystem::path folder = std::filesystem::path(path).parent_path();
    if (!folder.empty())
        std::filesystem::create_directories(folder);
    std::ofstream out(path, std::ios::binary);
    auto word = [&out](std::uint32_t v, int bytes) {
        for (int i = 0; i < bytes; ++i)
            out.put(static_cast<char>((v >> (8 * i)) & 0xFF));
    };
    out.write("RIFF", 4);
    word(36 + frames, 4);
    out.write("WAVEfmt ", 8);
    word(16, 4); // fmt chunk size
    word(1, 2); // PCM
    word(1, 2); // mono
    word(rate, 4);
    word(rate, 4); // bytes per second
    word(1, 2); // block align
    word(8, 2); // bits per sample
    out.write("data", 4);
    word(frames, 4);
    out.write(data.data(), static_cast<std::streamsize>(data.size()));
}
