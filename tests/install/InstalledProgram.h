#pragma once

#include <chrono>
#include <filesystem>
#include <optional>
#include <string>
#include <sys/types.h>
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

private:
    std::filesystem::path root_;
};

// An installed program started by the player, as from a desktop's menu or a
// terminal: HOME is theirs, XDG_DATA_HOME unset, the display the test's.
class InstalledProgram {
public:
    InstalledProgram(const Player& player, const std::string& program, const std::vector<std::string>& arguments = {});
    ~InstalledProgram();
    InstalledProgram(const InstalledProgram&) = delete;
    InstalledProgram& operator=(const InstalledProgram&) = delete;

    // The exit status once the program has ended within the time, else none.
    std::optional<int> waitForExit(std::chrono::milliseconds limit);
    std::string standardOutput() const;
    std::string standardError() const;

private:
    pid_t pid_ = -1;
    std::optional<int> status_;
    std::filesystem::path outputFile_;
    std::filesystem::path errorFile_;
};

} // namespace cubrava::install
