#include "render/StatusMessages.h"
#include "support/FatalMessage.h"
#include "support/ScratchDir.h"

#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

using namespace cubrava;

namespace {

using Texts = std::vector<std::string>;

const std::string statusMessage = "There was an error reading the Status configuration file.\n"
                                  "You may want to reinstall the game before playing again.";

StatusMessages readText(const ScratchDir& dir, const std::string& text)
{
    dir.write("Config/Status.dat", text);
    StatusMessages lists;
    readStatusMessages(lists);
    return lists;
}

std::string failureOf(const ScratchDir& dir, const std::string* text)
{
    if (text)
        dir.write("Config/Status.dat", *text);
    StatusMessages lists;
    return test::fatalMessageOf([&] { readStatusMessages(lists); });
}

} // namespace

TEST(StatusFile, ReadsTheFirstSectionOfEachNameInAnyOrder)
{
    ScratchDir dir;
    StatusMessages lists = readText(dir,
        "<?xml version=\"1.0\"?>\n"
        "<anything>\n"
        "  <msg>in the root, ignored</msg>\n"
        "  <random><msg>Hmm.</msg></random>\n"
        "  <lose><msg>Ouch</msg></lose>\n"
        "  <start>\n"
        "    <msg>Go!</msg>\n"
        "    <message>not a msg</message>\n"
        "    <msg></msg>\n"
        "    <msg/>\n"
        "    <msg colour=\"ff0000\">Here we go</msg>\n"
        "  </start>\n"
        "  <start><msg>second start, ignored</msg></start>\n"
        "</anything>\n");
    EXPECT_EQ(lists[StartMessages], (Texts { "Go!", "Here we go" }));
    EXPECT_TRUE(lists[WinMessages].empty());
    EXPECT_EQ(lists[LoseMessages], (Texts { "Ouch" }));
    EXPECT_EQ(lists[RandomMessages], (Texts { "Hmm." }));
}

TEST(StatusFile, AppendsToWhatTheListsHold)
{
    ScratchDir dir;
    dir.write("Config/Status.dat", "<s><win><msg>Again</msg></win></s>");
    StatusMessages lists;
    lists[WinMessages].push_back("Before");
    readStatusMessages(lists);
    EXPECT_EQ(lists[WinMessages], (Texts { "Before", "Again" }));
}

TEST(StatusFile, ARootWithoutSectionsGivesEmptyLists)
{
    ScratchDir dir;
    StatusMessages lists = readText(dir, "<status/>");
    for (const auto& list : lists)
        EXPECT_TRUE(list.empty());
}

TEST(StatusFile, UnreadableFilesRaiseTheStatusMessage)
{
    ScratchDir dir;
    EXPECT_EQ(failureOf(dir, nullptr), statusMessage) << "missing file";
    const std::string noRoot = "<?xml version=\"1.0\"?>\n<!-- only a comment -->\n";
    EXPECT_EQ(failureOf(dir, &noRoot), statusMessage) << "no root element";
    const std::string broken = "<status><start><msg>Go</start></status>";
    EXPECT_EQ(failureOf(dir, &broken), statusMessage) << "malformed";
    const std::string empty;
    EXPECT_EQ(failureOf(dir, &empty), statusMessage) << "empty file";
}

TEST(StatusFile, TheShippedFileFillsEveryListWithOneLineMessages)
{
    const std::string shipped = CUBRAVA_SHIPPED_STATUS;
    if (!std::ifstream(shipped).good())
        GTEST_SKIP() << shipped << " is not written yet";
    StatusMessages lists;
    readStatusMessagesFrom(shipped, lists);
    const char* names[] = { "start", "win", "lose", "random" };
    for (int list = 0; list < StatusListCount; ++list) {
        SCOPED_TRACE(names[list]);
        EXPECT_FALSE(lists[list].empty());
        for (const std::string& text : lists[list])
            EXPECT_EQ(text.find_first_of("\n\t"), std::string::npos) << text;
    }
}
