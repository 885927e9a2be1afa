#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace cubrava::assetgen {

// Bytes as the lines of one C++ string literal, four blanks in, for pictures
// built into the programs: large literals compile far faster than brace lists
// of numbers. The compiler adds a zero byte after them.
std::string bytesLiteral(const std::vector<std::uint8_t>& bytes);

} // namespace cubrava::assetgen
