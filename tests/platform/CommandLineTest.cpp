#include "platform/CommandLine.h"

#include <gtest/gtest.h>

#include <sstream>
#include <vector>

using namespace cubrava;

namespace {

const ProgramDescription Game { "cubrava", "Cubrava, a puzzle game.",
    { { "windowed", "start in a window" }, { "view-only", "the view alone" } }, { "Files live somewhere." } };

struct Parsed {
    CommandLine line;
    std::string out;
    std::string err;
};

Parsed parse(std::vector<std::string> words)
{
    words.insert(words.begin(), "cubrava");
    std::vector<char*> argv;
    for (std::string& word : words)
        argv.push_back(word.data());
    argv.push_back(nullptr);
    std::ostringstream out, err;
    Parsed parsed;
    parsed.line = parseCommandLine(static_cast<int>(words.size()), argv.data(), Game, out, err);
    parsed.out = out.str();
    parsed.err = err.str();
    return parsed;
}

} // namespace

TEST(CommandLine, OptionsAreTakenInAnyOrderAndAnyNumberOfTimes)
{
    EXPECT_FALSE(parse({}).line.exitStatus);
    EXPECT_TRUE(parse({}).line.given.empty());

    const Parsed both = parse({ "--view-only", "--windowed", "--windowed" });
    EXPECT_FALSE(both.line.exitStatus);
    EXPECT_TRUE(both.line.has("windowed"));
    EXPECT_TRUE(both.line.has("view-only"));
    EXPECT_EQ(both.out + both.err, "");

    // An unambiguous beginning is enough, as with any GNU program.
    EXPECT_TRUE(parse({ "--wind" }).line.has("windowed"));
}

TEST(CommandLine, HelpAndVersionGoToStandardOutputAndEndWithSuccess)
{
    for (const char* help : { "--help", "-h" }) {
        const Parsed parsed = parse({ "--windowed", help });
        EXPECT_EQ(parsed.line.exitStatus, 0);
        EXPECT_EQ(parsed.err, "");
        EXPECT_EQ(parsed.out.rfind("Usage: cubrava [OPTION]...\nCubrava, a puzzle game.\n", 0), 0u) << parsed.out;
        for (const char* line : { "      --windowed   start in a window\n", "      --view-only  the view alone\n",
                 "  -h, --help       show this help and exit\n", "      --version", "Files live somewhere.\n" })
            EXPECT_NE(parsed.out.find(line), std::string::npos) << line << " in\n" << parsed.out;
    }

    const Parsed version = parse({ "--version" });
    EXPECT_EQ(version.line.exitStatus, 0);
    EXPECT_EQ(version.out, "cubrava " CUBRAVA_TEST_VERSION "\n");
}

TEST(CommandLine, MistakesAreNamedOnStandardErrorWithStatusTwo)
{
    const std::pair<std::vector<std::string>, std::string> mistakes[] = {
        { { "--fullscreen" }, "cubrava: unknown option '--fullscreen'\n" },
        { { "--windowed", "-x" }, "cubrava: unknown option '-x'\n" },
        { { "--windowed", "-xh" }, "cubrava: unknown option '-x'\n" }, // the letter, not the word before
        { { "--help=yes" }, "cubrava: unknown option '--help=yes'\n" },
        { { "--v" }, "cubrava: unknown option '--v'\n" }, // --view-only or --version?
        { { "level.dat" }, "cubrava: unexpected argument 'level.dat'\n" },
        { { "--windowed", "level.dat", "--help" }, "cubrava: unexpected argument 'level.dat'\n" },
    };
    for (const auto& [words, message] : mistakes) {
        const Parsed parsed = parse(words);
        EXPECT_EQ(parsed.line.exitStatus, 2) << message;
        EXPECT_EQ(parsed.out, "") << message;
        EXPECT_EQ(parsed.err, message + "Try 'cubrava --help' for more information.\n");
    }
}
