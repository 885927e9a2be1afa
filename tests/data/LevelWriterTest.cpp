#include "data/LevelWriter.h"
#include "data/LevelList.h"
#include "support/LevelMaking.h"
#include "support/ScratchDir.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>
#include <string>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace cubrava;
using cubrava::test::colour;
using cubrava::test::level;
namespace fs = std::filesystem;

namespace {

std::string contentsOf(const fs::path& file)
{
    std::ifstream in(file, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

std::set<std::string> namesIn(const fs::path& folder)
{
    std::set<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder))
        names.insert(entry.path().filename().string());
    return names;
}

} // namespace

TEST(LevelWriter, PrintsTheTwoLevelExampleByteForByte)
{
    LevelList levels;
    levels.push_back(level("Start", 8, 8, 12, 10, 1000));
    levels.back().addBlock(0, 1, 2, colour(1, 0, 0, "Textures/brushed-metal3.bmp"));
    levels.push_back(level("Empty", 4, 4, 4, 1, 1000));

    EXPECT_EQ(printLevels(levels),
        "<levels>\n"
        "    <level name=\"Start\" x=\"8\" y=\"8\" z=\"12\" goal=\"10\" drop=\"1000\">\n"
        "        <blocks>\n"
        "            <point x=\"0\" y=\"1\" z=\"2\" color=\"FF0000\" texture=\"Textures/brushed-metal3.bmp\" />\n"
        "        </blocks>\n"
        "    </level>\n"
        "    <level name=\"Empty\" x=\"4\" y=\"4\" z=\"4\" goal=\"1\" drop=\"1000\">\n"
        "        <blocks />\n"
        "    </level>\n"
        "</levels>\n");
}

TEST(LevelWriter, EveryNameGoalAndColourReadsBackAsItWasWritten)
{
    ScratchDir dir;
    const std::string names[] = { "", " ", "a\"b", "it's", "Tom & Jerry", "<3>", "Gr\xC3\xBC\xC3\x9F Gott \xE2\x98\x85",
        "both \"'\" quotes", "&#x41; stays text", "tab\there, line\nbreak", "  padded  " };
    LevelList levels;
    int goal = 127;
    for (const std::string& name : names) {
        levels.push_back(level(name, 4, 10, 6, goal, 2000));
        goal = goal == 127 ? 200 : 127; // 200 is -56 in a signed byte
    }
    levels[0].addBlock(3, 9, 5, colour(0.0f, 0.5f, 1.0f));
    levels[0].addBlock(0, 0, 0, colour(1.0f, 1.0f, 1.0f, "Textures/odd & 'quoted'.bmp"));
    levels[2].addBlock(1, 2, 3, colour(128 / 255.0f, 64 / 255.0f, 1 / 255.0f));

    const std::string text = printLevels(levels);
    EXPECT_NE(text.find("color=\"007FFF\""), std::string::npos) << "channels 0, 0.5 and 1";
    EXPECT_NE(text.find("name='a&quot;b'"), std::string::npos) << "a double quote: single quotes, as TinyXML prints";
    EXPECT_NE(text.find("goal=\"-56\""), std::string::npos);

    ASSERT_TRUE(saveLevels(levels, "Levels.dat"));
    EXPECT_EQ(contentsOf("Levels.dat"), text);
    LevelList back;
    readLevelsFrom("Levels.dat", back);
    ASSERT_EQ(back.size(), levels.size());
    for (std::size_t i = 0; i < levels.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(back[i].name, levels[i].name);
        EXPECT_EQ(back[i].goal, levels[i].goal);
        EXPECT_EQ(back[i].drop, 2000);
        ASSERT_EQ(back[i].blocks().size(), levels[i].blocks().size());
        for (std::size_t b = 0; b < levels[i].blocks().size(); ++b) {
            const Block& was = levels[i].blocks()[b];
            const Block& is = back[i].blocks()[b];
            EXPECT_EQ(std::tie(is.x, is.y, is.z), std::tie(was.x, was.y, was.z));
            EXPECT_EQ(is.material->textureName, was.material->textureName);
        }
    }
    EXPECT_FLOAT_EQ(back[2].blocks()[0].material->red, 128 / 255.0f);
    EXPECT_FLOAT_EQ(back[0].blocks()[0].material->green, 127 / 255.0f);

    // What was read from a written file writes that file again.
    EXPECT_EQ(printLevels(back), text);
}

namespace {

// A level file in Config/ holding one level, and what saving another does to it.
struct AtomicSave : ::testing::Test {
    ScratchDir dir;
    const std::string path = "Config/Levels.dat";
    std::string oldText;
    LevelList levels;

    void SetUp() override
    {
        LevelList old;
        old.push_back(level("Old", 5, 5, 5, 3, 900));
        oldText = printLevels(old);
        dir.write(path, oldText);
        levels.push_back(level("New", 6, 6, 12, 2, 800));
        for (int x = 0; x < 6; ++x)
            for (int z = 0; z < 12; ++z)
                levels.back().addBlock(static_cast<std::int8_t>(x), 0, static_cast<std::int8_t>(z), colour(0, 1, 0));
    }

    // The old file as it was, and nothing new beside it.
    void expectUntouched(const std::set<std::string>& before)
    {
        EXPECT_EQ(contentsOf(path), oldText);
        EXPECT_EQ(namesIn("Config"), before);
    }
};

} // namespace

TEST_F(AtomicSave, ReplacesTheFileAndLeavesNoTemporaryBehind)
{
    ::chmod(path.c_str(), 0640);
    ASSERT_TRUE(saveLevels(levels, path));
    EXPECT_EQ(contentsOf(path), printLevels(levels));
    EXPECT_EQ(namesIn("Config"), std::set<std::string> { "Levels.dat" });
    EXPECT_EQ(fs::status(path).permissions() & fs::perms::all,
        fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);

    // Without an old file, one is made.
    fs::remove(path);
    EXPECT_TRUE(saveLevels(levels, path));
    EXPECT_EQ(contentsOf(path), printLevels(levels));
}

TEST_F(AtomicSave, EveryFailingStepLeavesTheOldFileAsItWas)
{
    // Writes take at most 100 bytes, as a nearly full disk's might; the step
    // named in `failing` fails as a full disk or a failing device makes it.
    std::string failing;
    int writes = 0, syncs = 0;
    const FileCalls real = FileCalls::system();
    FileCalls calls = real;
    auto fails = [&](const std::string& step) {
        errno = EIO;
        return failing == step;
    };
    calls.write = [&](int fd, const void* data, std::size_t size) -> ssize_t {
        return fails("write " + std::to_string(++writes)) ? -1 : real.write(fd, data, std::min<std::size_t>(size, 100));
    };
    calls.fsync = [&](int fd) { return fails("sync " + std::to_string(++syncs)) ? -1 : real.fsync(fd); };
    calls.close = [&](int fd) { return real.close(fd) != 0 || fails("close") ? -1 : 0; };
    calls.rename = [&](const char* from, const char* to) { return fails("rename") ? -1 : real.rename(from, to); };

    ASSERT_GT(printLevels(levels).size(), 300u) << "the document must need more than three writes";
    const std::set<std::string> before = namesIn("Config");
    for (const char* step : { "write 3", "sync 1", "close", "rename" }) {
        SCOPED_TRACE(step);
        failing = step;
        writes = syncs = 0;
        EXPECT_FALSE(saveLevels(levels, path, calls));
        expectUntouched(before);
    }
    EXPECT_GT(writes, 3) << "the rename was refused only after the whole file was written";

    // The same calls, none failing, write the whole file in pieces.
    failing.clear();
    EXPECT_TRUE(saveLevels(levels, path, calls));
    EXPECT_EQ(contentsOf(path), printLevels(levels));

    // Once the new file is in place, a folder that will not sync is no
    // failure: the save happened.
    std::ofstream(path, std::ios::trunc) << "old";
    failing = "sync 2";
    syncs = 0;
    EXPECT_TRUE(saveLevels(levels, path, calls));
    EXPECT_EQ(contentsOf(path), printLevels(levels));
}

TEST_F(AtomicSave, ATemporaryNameTakenByAFolderFailsAndTheFolderStays)
{
    fs::create_directory(temporaryPathFor(path));
    dir.write(temporaryPathFor(path) + "/keep", "mine");
    const std::set<std::string> before = namesIn("Config");
    EXPECT_FALSE(saveLevels(levels, path));
    expectUntouched(before);
    EXPECT_EQ(contentsOf(temporaryPathFor(path) + "/keep"), "mine");
}

TEST_F(AtomicSave, AFolderOrAFileThatMayNotBeWrittenFails)
{
    // Permissions do not stop a privileged user (root): nothing to test then.
    ::chmod("Config", 0555);
    const bool enforced = ::access("Config", W_OK) != 0;
    if (enforced) {
        EXPECT_FALSE(saveLevels(levels, path));
        expectUntouched({ "Levels.dat" });
    }
    ::chmod("Config", 0755);
    // Written in place, a read-only file would refuse too.
    ::chmod(path.c_str(), 0444);
    if (enforced) {
        EXPECT_FALSE(saveLevels(levels, path));
        expectUntouched({ "Levels.dat" });
    }
    ::chmod(path.c_str(), 0644);
    if (!enforced)
        GTEST_SKIP() << "running with privileges that ignore permissions";
}

TEST_F(AtomicSave, ALinkedFileIsSavedThroughAndTheLinkStays)
{
    // A link to a file in another folder, then a chain of two links.
    dir.write("Shared/Levels.dat", oldText);
    fs::create_symlink("Levels.dat", "Shared/Levels.dat.link");
    for (const char* via : { "../Shared/Levels.dat", "../Shared/Levels.dat.link" }) {
        SCOPED_TRACE(via);
        fs::remove(path);
        fs::create_symlink(via, path);
        EXPECT_TRUE(saveLevels(levels, path));
        EXPECT_EQ(fs::read_symlink(path), via);
        EXPECT_EQ(contentsOf("Shared/Levels.dat"), printLevels(levels));
        EXPECT_EQ(namesIn("Config"), std::set<std::string> { "Levels.dat" });
        EXPECT_EQ(namesIn("Shared"), (std::set<std::string> { "Levels.dat", "Levels.dat.link" }));
        std::ofstream("Shared/Levels.dat", std::ios::trunc) << oldText;
    }

    // A link to nothing: a failure, and nothing made at either end.
    fs::remove(path);
    fs::create_symlink("../Shared/Gone.dat", path);
    EXPECT_FALSE(saveLevels(levels, path));
    EXPECT_EQ(fs::read_symlink(path), "../Shared/Gone.dat");
    EXPECT_EQ(namesIn("Config"), std::set<std::string> { "Levels.dat" });
    EXPECT_EQ(namesIn("Shared"), (std::set<std::string> { "Levels.dat", "Levels.dat.link" }));
}

TEST_F(AtomicSave, TheRenameHappensUnderThePlayerFolderLock)
{
    // A refresh of the player's folder (another program starting) takes the
    // same lock: while the save renames, it cannot.
    const FileCalls real = FileCalls::system();
    FileCalls calls = real;
    bool lockedAtRename = false;
    calls.rename = [&](const char* from, const char* to) {
        const int fd = ::open(".", O_RDONLY | O_DIRECTORY);
        lockedAtRename = ::flock(fd, LOCK_EX | LOCK_NB) != 0 && errno == EWOULDBLOCK;
        ::close(fd);
        return real.rename(from, to);
    };
    EXPECT_TRUE(saveLevels(levels, path, calls));
    EXPECT_TRUE(lockedAtRename);
    // And it is let go afterwards.
    const int fd = ::open(".", O_RDONLY | O_DIRECTORY);
    EXPECT_EQ(::flock(fd, LOCK_EX | LOCK_NB), 0);
    ::close(fd);
}
