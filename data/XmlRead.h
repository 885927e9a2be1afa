#pragma once

#include "Material.h"

#include <cstdint>

class TiXmlElement;

namespace cubrava {

// Numbers in the configuration files follow the C library's atol: leading
// blanks, optional sign, digits up to the first other character; no digits,
// or no attribute at all, gives 0.
long atolRule(const char* text);

// Narrowing keeps the low bits, as the fields' widths demand.
inline std::int8_t lowByte(long value)
{
    return static_cast<std::int8_t>(static_cast<std::uint8_t>(value));
}

inline std::int16_t lowWord(long value)
{
    return static_cast<std::int16_t>(static_cast<std::uint16_t>(value));
}

// Colour text RRGGBB into channels of 0..1. A missing or non-hexadecimal digit
// counts as 0, so short or mistyped values never read past the text or leave
// the 0..255 range.
void parseColour(const char* text, float& red, float& green, float& blue);

// A new material from the color and texture attributes of an element.
Material readMaterial(const TiXmlElement& element);

} // namespace cubrava
