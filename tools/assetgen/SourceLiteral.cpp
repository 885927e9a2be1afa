#include "SourceLiteral.h"

#include <cstdio>

namespace cubrava::assetgen {

std::string bytesLiteral(const std::vector<std::uint8_t>& bytes)
{
    const std::size_t perLine = 96;
    std::string out;
    std::string line;
    auto flush = [&] {
        out += "    \"" + line + "\"\n";
        line.clear();
    };
    std::size_t count = 0;
    for (std::uint8_t byte : bytes) {
        if (byte >= 32 && byte < 127 && byte != '"' && byte != '\\' && byte != '?') {
            line += static_cast<char>(byte);
        } else {
            // Always three octal digits, so a digit after it is never read as part of it.
            char escape[5];
            std::snprintf(escape, sizeof escape, "\\%03o", byte);
            line += escape;
        }
        if (++count % perLine == 0)
            flush();
    }
    if (!line.empty())
        flush();
    return out;
}

} // namespace cubrava::assetgen
