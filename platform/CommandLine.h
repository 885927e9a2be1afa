#pragma once

#include <optional>
#include <ostream>
#include <set>
#include <string>
#include <vector>

namespace cubrava {

// A program's command line: GNU-style long options, all of them flags, and
// no other arguments. Both programs take --help and --version besides their
// own.
struct CommandLineOption {
    std::string name; // without the leading "--"
    std::string help; // one line for --help
};

struct ProgramDescription {
    std::string command; // "cubrava"
    std::string title; // the first line of --help
    std::vector<CommandLineOption> options; // the program's own
    std::vector<std::string> notes; // paragraphs after the options
};

struct CommandLine {
    // Set when the program should end at once with this status: 0 after
    // --help or --version, 2 after a mistake.
    std::optional<int> exitStatus;
    std::set<std::string> given;

    bool has(const std::string& option) const { return given.count(option) != 0; }
};

// Reads argv; --help and --version print to out, mistakes to err.
CommandLine parseCommandLine(
    int argc, char* const* argv, const ProgramDescription& program, std::ostream& out, std::ostream& err);

} // namespace cubrava
