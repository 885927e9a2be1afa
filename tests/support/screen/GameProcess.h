#pragma once

#include <chrono>
#include <filesystem>
#include <optional>
#include <string>
#include <sys/types.h>
#include <utility>
#include <vector>

namespace cubrava::e2e {

// Who may use a run folder: the test's own user, or another one as well.
enum class FolderUsers { Owner, Anyone };

// A copy of the runtime folder a test may change (a file removed, a level of
// its own), with the built program's assets linked in. One for anyone holds
// copies of the programs and assets instead, in a folder others may enter:
// the build may sit in a folder only its owner can reach.
class RunFolder {
public:
    explicit RunFolder(FolderUsers users = FolderUsers::Owner);
    ~RunFolder();
    RunFolder(const RunFolder&) = delete;
    RunFolder& operator=(const RunFolder&) = delete;

    const std::filesystem::path& path() const { return path_; }
    // The program of that name that runs in this folder.
    std::filesystem::path program(const std::string& name) const;
    // Whether every user may reach the folder and run its programs.
    bool reachableByAnyone() const;
    void write(const std::string& relative, const std::string& text) const;
    void remove(const std::string& relative) const;

private:
    std::filesystem::path path_;
    bool ownPrograms_ = false;
};

// How a program is started: which, with what arguments, in which folder,
// with which changes to the test's environment, the folder that takes its
// standard output and error (stdout.txt, stderr.txt) and frame count, and a
// program and its arguments to run it under (a profiler), or none.
struct ProcessStart {
    std::filesystem::path program;
    std::vector<std::string> arguments;
    std::filesystem::path workingFolder;
    std::filesystem::path recordFolder;
    std::vector<std::pair<std::string, std::string>> setVariables;
    std::vector<std::string> unsetVariables;
    std::vector<std::string> wrapper;
};

// The game program started in a run folder, on the test's display.
class GameProcess {
public:
    // preload: an extra library for LD_PRELOAD (test shims), or empty.
    explicit GameProcess(const RunFolder& folder, const std::string& preload = "");
    // Another program of the built run folder, with arguments; wrapper: a
    // program and its arguments to run it under (a profiler), or none.
    GameProcess(const RunFolder& folder, const std::string& program, const std::vector<std::string>& arguments,
        const std::string& preload = "", const std::vector<std::string>& wrapper = {});
    // Any program, started as described.
    explicit GameProcess(const ProcessStart& start);
    ~GameProcess();
    GameProcess(const GameProcess&) = delete;
    GameProcess& operator=(const GameProcess&) = delete;

    pid_t pid() const { return pid_; }
    // The exit status once the program has ended within the time, else none.
    std::optional<int> waitForExit(std::chrono::milliseconds limit);
    bool running();
    std::string standardOutput() const;
    std::string standardError() const;
    // Frames shown so far, as the preloaded frame counter last wrote them;
    // each is on the X server once counted. 0 without the counter.
    unsigned long frames() const;
    // User plus system processor time used so far, in seconds.
    double cpuSeconds() const;

private:
    pid_t pid_ = -1;
    std::optional<int> status_;
    std::filesystem::path outputFile_;
    std::filesystem::path errorFile_;
    std::filesystem::path framesFile_;
};

} // namespace cubrava::e2e
