#pragma once

#include "support/screen/GameProcess.h"

#include <filesystem>
#include <string>
#include <vector>

namespace cubrava::install {

// A player of the installation: a home folder of their own and a working
// folder that has nothing to do with the game, both temporary.
class Player {
public:
    Player();
    ~Player();
    Player(const Player&) = delete;
    Player& operator=(const Player&) = delete;

    std::filesystem::path home() const { return root_ / "home"; }
    std::filesystem::path workingFolder() const { return root_ / "elsewhere"; }
    // Where the programs keep the player's files when XDG_DATA_HOME is unset.
    std::filesystem::path folder() const { return home() / ".local/share/cubrava"; }

    // An installed program as the player starts it, from a desktop's menu or
    // a terminal: in the working folder, HOME theirs, XDG_DATA_HOME unset.
    e2e::ProcessStart start(const std::string& program, const std::vector<std::string>& arguments = {}) const;

private:
    std::filesystem::path root_;
};

} // namespace cubrava::install
