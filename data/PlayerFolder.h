#pragma once

#include <filesystem>
#include <optional>
#include <string>

namespace cubrava {

// Both programs read their files relative to the working folder. Started
// from a run folder (Config/ beside the program, as build/run is) they work
// there as they are. Installed, they work in a folder of the player's own,
// made from the shipped data on first start and brought up to date on every
// start, so a player's levels survive upgrades:
//   Config/    copies of the shipped files, never overwriting one the player
//              changed (data/ConfigCopy.h), recorded in .shipped/Config/;
//   Textures/  a real folder of links to the shipped textures, where a level
//              designer may add images of their own;
//   Sounds/, Music/, fonts/  links to the shipped folders.
// Whatever of the player's own stands at one of these names is left alone.

// Held while the player's folder is brought up to date, and while a save
// replaces a file in it: a game and an editor starting together take turns,
// and a refresh never puts a shipped copy over a save made meanwhile.
class PlayerFolderLock {
public:
    explicit PlayerFolderLock(const std::filesystem::path& folder);
    ~PlayerFolderLock();
    PlayerFolderLock(const PlayerFolderLock&) = delete;
    PlayerFolderLock& operator=(const PlayerFolderLock&) = delete;

private:
    int fd_;
};

// The shipped data of an installed program: dataFromProgram (such as
// "../share/cubrava") from the program's folder. None when the program's
// folder holds Config/ itself (a run folder) or nothing is installed there.
std::optional<std::filesystem::path> installedDataFolder(
    const std::filesystem::path& programFolder, const std::string& dataFromProgram);

// ${XDG_DATA_HOME:-$HOME/.local/share}/cubrava, given the two variables
// (null when unset). A relative XDG_DATA_HOME is ignored, as the XDG base
// directory rules say. Throws FatalError when there is no absolute home.
std::filesystem::path playerFolderPath(const char* dataHome, const char* home);

// Makes the player's folder or brings it up to date from the shipped data.
// Two programs starting at once take turns. Throws FatalError on failure.
void preparePlayerFolder(const std::filesystem::path& shipped, const std::filesystem::path& player);

// The start of both programs: when installed, prepares the player's folder
// and makes it the working folder, and returns it; from a run folder it
// changes nothing. Throws FatalError when the folder cannot be used.
std::optional<std::filesystem::path> enterPlayerFolder(const std::string& dataFromProgram);

// A paragraph for --help saying where the files are.
std::string playerFolderHelp();

} // namespace cubrava
