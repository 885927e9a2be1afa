#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace cubrava {

// Brings the shipped configuration files into a folder where they are used
// (the build's runtime folder, a player's own folder) without ever
// overwriting a file someone changed there: a level designer's Levels.dat
// survives a rebuild or an upgrade. A file is replaced only while it still
// equals what was copied last time; that copy is kept in the record folder.
//
// Every file is written under a temporary name (".NAME.copying") and then
// renamed, the record last, so an interruption leaves each file whole, old or
// new, and the next refresh clears what it left. A file that already equals
// the shipped one counts as the copier's own, whatever the record says: that
// mends a record an interruption left behind.
//
// Returns the names of the files kept because they were changed while the
// shipped one differs. Throws FatalError when a file cannot be read or written.
std::vector<std::string> refreshConfigCopies(
    const std::filesystem::path& shipped, const std::filesystem::path& target, const std::filesystem::path& record);

} // namespace cubrava
