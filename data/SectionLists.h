#pragma once

#include <string>
#include <vector>

namespace cubrava {

// Reads a configuration file made of named lists: under the root (any name),
// the first element of each section name holds items of one element name,
// each item's text being the value of its first child node. Missing sections
// give empty lists, items without text are skipped. Raises FatalError with
// the given message when the file cannot be read or has no root. The result
// has one list per section name, in the order given.
std::vector<std::vector<std::string>> readSectionLists(const std::string& path,
    const std::vector<std::string>& sections, const std::string& item, const char* errorMessage);

} // namespace cubrava
