#pragma once

#include <map>
#include <string>
#include <vector>

namespace cubrava::e2e {

// A window's _NET_WM_ICON, size by size, as ARGB values.
std::map<int, std::vector<unsigned long>> windowIcons(unsigned long window);

// What differs between the window's icons and the program's, in words;
// empty when the window carries exactly the program's icon.
std::string iconMismatch(unsigned long window);

} // namespace cubrava::e2e
