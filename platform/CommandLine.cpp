#include "CommandLine.h"

#include <getopt.h>

#include <algorithm>

namespace cubrava {

namespace {

const CommandLineOption Help { "help", "show this help and exit" };
const CommandLineOption Version { "version", "show the version and exit" };

void printHelp(const ProgramDescription& program, std::ostream& out)
{
    out << "Usage: " << program.command << " [OPTION]...\n" << program.title << "\n\n";
    std::vector<CommandLineOption> options = program.options;
    options.push_back(Help);
    options.push_back(Version);
    std::size_t width = 0;
    for (const CommandLineOption& option : options)
        width = std::max(width, option.name.size());
    for (const CommandLineOption& option : options) {
        out << (option.name == Help.name ? "  -h, --" : "      --") << option.name
            << std::string(width - option.name.size() + 2, ' ') << option.help << "\n";
    }
    for (const std::string& note : program.notes)
        out << "\n" << note << "\n";
}

int mistake(const ProgramDescription& program, const std::string& what, std::ostream& err)
{
    err << program.command << ": " << what << "\nTry '" << program.command << " --help' for more information."
        << std::endl;
    return 2;
}

} // namespace

CommandLine parseCommandLine(
    int argc, char* const* argv, const ProgramDescription& program, std::ostream& out, std::ostream& err)
{
    std::vector<option> longOptions;
    for (const CommandLineOption& own : program.options)
        longOptions.push_back({ own.name.c_str(), no_argument, nullptr, 0 });
    longOptions.push_back({ Help.name.c_str(), no_argument, nullptr, 'h' });
    longOptions.push_back({ Version.name.c_str(), no_argument, nullptr, 'V' });
    longOptions.push_back({ nullptr, 0, nullptr, 0 });

    // getopt keeps its place in globals: start afresh, quietly (the messages
    // are ours), and leave argv in its order.
    std::vector<char*> args(argv, argv + argc);
    args.push_back(nullptr);
    optind = 0;
    opterr = 0;
    CommandLine line;
    for (;;) {
        int index = -1;
        // The word getopt works on: optind stays on a cluster of short
        // options until its last letter is read.
        const int word = optind == 0 ? 1 : optind;
        const int found = getopt_long(argc, args.data(), "+h", longOptions.data(), &index);
        if (found == -1)
            break;
        if (found == 'h') {
            printHelp(program, out);
            line.exitStatus = 0;
            return line;
        }
        if (found == 'V') {
            out << program.command << " " << CUBRAVA_VERSION << std::endl;
            line.exitStatus = 0;
            return line;
        }
        if (found == '?') {
            const std::string given = args[static_cast<std::size_t>(word)];
            const bool shortOption = optopt != 0 && given.rfind("--", 0) != 0;
            line.exitStatus = mistake(program,
                shortOption ? "unknown option '-" + std::string(1, static_cast<char>(optopt)) + "'"
                            : "unknown option '" + given + "'",
                err);
            return line;
        }
        line.given.insert(longOptions[static_cast<std::size_t>(index)].name);
    }
    if (optind < argc) {
        line.exitStatus = mistake(
            program, "unexpected argument '" + std::string(args[static_cast<std::size_t>(optind)]) + "'", err);
        return line;
    }
    return line;
}

} // namespace cubrava
