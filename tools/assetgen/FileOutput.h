#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace cubrava::assetgen {

// Writes bytes to a file, creating its folder; throws std::runtime_error
// naming the file when that fails, so a broken build says why.
void writeFile(const std::string& path, const std::vector<std::uint8_t>& bytes);

// Little-endian fields as the BMP and WAV headers want them.
void putU16(std::vector<std::uint8_t>& out, unsigned value);
void putU32(std::vector<std::uint8_t>& out, std::uint32_t value);
void putTag(std::vector<std::uint8_t>& out, const char (&tag)[5]);

} // namespace cubrava::assetgen
