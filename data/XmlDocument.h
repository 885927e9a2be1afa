#pragma once

#include <cstddef>
#include <string>

class TiXmlDocument;
class TiXmlElement;

namespace cubrava {

// Our files nest three deep; anything past this is refused unparsed, since
// the XML parser recurses once per level and a deep enough file overflows
// the stack.
constexpr std::size_t kMaxConfigNesting = 64;

// Far beyond any configuration file; a larger one is refused unread.
constexpr std::size_t kMaxConfigBytes = 16u << 20;

// Loads a configuration document into `document` the one way every reader
// does: the path must be a regular file no larger than kMaxConfigBytes, is
// read whole, must nest no deeper than kMaxConfigNesting, and is then parsed
// from memory. Raises FatalError(errorMessage) when any of that fails or the
// document has no root element; returns the root.
const TiXmlElement& loadConfigDocument(const std::string& path, TiXmlDocument& document, const char* errorMessage);

// How deep elements nest in `text`, never less than the XML parser would
// descend (it may say more for text the parser gives up on). Counting stops
// once it passes `stopAbove`.
std::size_t elementNesting(const std::string& text, std::size_t stopAbove = static_cast<std::size_t>(-1));

} // namespace cubrava
