#pragma once

#include <string>
#include <vector>

namespace cubrava {

extern const char* const NoTextureEntry; // "(None)"

// The texture box's entries: "(None)", then the ordinary files of the folder
// sorted without regard to case. Hidden and read-only files are left out; a
// missing folder lists nothing. The working directory is not changed.
std::vector<std::string> textureBoxEntries(const std::string& folder);

// The entry showing a brush's texture name: "(None)" for no name, else the
// entry equal (case ignored) to what follows the name's first "/" or "\".
// -1 when none is, as for a file in a sub-folder.
int textureEntryFor(const std::vector<std::string>& entries, const std::string& textureName);

// The texture name an entry stands for; empty for "(None)".
std::string textureNameOf(const std::vector<std::string>& entries, int entry);

} // namespace cubrava
