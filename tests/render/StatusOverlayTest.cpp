#include "render/StatusOverlay.h"
#include "TextFakes.h"
#include "data/ProcessWide.h"
#include "support/FakeDisplay.h"
#include "support/FatalMessage.h"
#include "support/ScratchDir.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

using namespace cubrava;

namespace {

const TextColour cyan { 0.0f, 1.0f, 1.0f };
const TextColour red { 1.0f, 0.0f, 0.0f };

struct StatusFixture : ::testing::Test {
    ScratchDir dir;
    test::FakeDisplay display;

    std::unique_ptr<StatusOverlay> overlay(const std::string& file)
    {
        dir.write("Config/Status.dat", file);
        auto status = std::make_unique<StatusOverlay>(display);
        status->init(testFontFile());
        status->setViewport(ViewRect { 0, 0, 768, 768 });
        return status;
    }
};

} // namespace

TEST_F(StatusFixture, ShowFitsTheTextJustOverThreeQuartersOfTheView)
{
    auto status = overlay("<s/>");
    status->show("Level complete", cyan);
    EXPECT_TRUE(status->visible());
    EXPECT_EQ(status->text(), "Level complete");
    EXPECT_TRUE(status->colour() == cyan);
    EXPECT_GT(display.redisplays, 0);

    const int size = status->fontSize();
    EXPECT_EQ((size - 12) % 4, 0);
    EXPECT_GT(status->textWidth(), 0.75 * 768);
    EXPECT_EQ(status->textWidth(), status->font().textWidth("Level complete"));
    EXPECT_EQ(status->textHeight(), status->font().lineHeight());
    TextFont smaller;
    smaller.open(testFontFile());
    smaller.setSize(size - 4);
    EXPECT_LE(smaller.textWidth("Level complete"), 0.75 * 768);

    // A longer text gets a smaller size.
    status->show("A considerably longer status message", red);
    EXPECT_LT(status->fontSize(), size);
}

TEST_F(StatusFixture, ATextThatNeverWidensStopsGrowingAtTheViewHeight)
{
    auto status = overlay("<s/>");
    status->setViewport(ViewRect { 0, 0, 768, 300 });
    status->show("\t\t", cyan);
    EXPECT_TRUE(status->visible());
    EXPECT_GE(status->fontSize(), 300);
    EXPECT_LT(status->fontSize(), 304);

    status->setViewport(ViewRect { 0, 0, 4000, 3000 });
    status->show("\t", cyan);
    EXPECT_GE(status->fontSize(), 512);
    EXPECT_LT(status->fontSize(), 516);
}

TEST_F(StatusFixture, EmptyTextsAndEmptyListsLeaveTheMessageAsItWas)
{
    auto status = overlay("<s><win><msg>Yes!</msg></win></s>");
    status->show("", cyan);
    EXPECT_FALSE(status->visible()) << "hidden stays hidden";

    status->show("PAUSED", red);
    const int size = status->fontSize();
    status->show("", cyan);
    status->showRandom(StartMessages, cyan);
    status->showRandom(-1, cyan);
    status->showRandom(4, cyan);
    EXPECT_TRUE(status->visible());
    EXPECT_EQ(status->text(), "PAUSED");
    EXPECT_TRUE(status->colour() == red);
    EXPECT_EQ(status->fontSize(), size);

    status->showRandom(WinMessages, cyan);
    EXPECT_EQ(status->text(), "Yes!");
    EXPECT_TRUE(status->colour() == cyan);

    const int redisplays = display.redisplays;
    status->hide();
    EXPECT_FALSE(status->visible());
    EXPECT_EQ(display.redisplays, redisplays + 1);
}

TEST_F(StatusFixture, HidingAMessageLeavesOneShownAfterIt)
{
    auto status = overlay("<s><random><msg>Hmm</msg></random></s>");
    const unsigned remark = status->showRandom(RandomMessages, cyan);
    EXPECT_NE(remark, 0u);
    const unsigned paused = status->show("PAUSED", red);
    EXPECT_NE(paused, remark);
    status->hideMessage(remark);
    EXPECT_TRUE(status->visible());
    EXPECT_EQ(status->text(), "PAUSED");

    // Nothing shown gives 0, which hides nothing.
    EXPECT_EQ(status->showRandom(WinMessages, cyan), 0u);
    EXPECT_EQ(status->show("", cyan), 0u);
    status->hideMessage(0);
    EXPECT_TRUE(status->visible());

    status->hideMessage(paused);
    EXPECT_FALSE(status->visible());
}

TEST_F(StatusFixture, ShowRandomPicksEveryEntryOfItsListInTurn)
{
    auto status = overlay("<s><lose><msg>One</msg><msg>Two</msg><msg>Three</msg></lose>"
                          "<random><msg>Never</msg></random></s>");
    cubrava::srand(7);
    std::set<std::string> seen;
    for (int i = 0; i < 60; ++i) {
        status->showRandom(LoseMessages, red);
        seen.insert(status->text());
    }
    EXPECT_EQ(seen, (std::set<std::string> { "One", "Two", "Three" }));

    // The choice follows the shared generator.
    cubrava::srand(11);
    const int draw = cubrava::rand();
    cubrava::srand(11);
    status->showRandom(LoseMessages, red);
    const char* expected[] = { "One", "Two", "Three" };
    EXPECT_EQ(status->text(), expected[draw % 3]);
}

TEST_F(StatusFixture, FontAndFileFailuresRaiseTheirMessages)
{
    dir.write("Config/Status.dat", "<s/>");
    StatusOverlay status(display);
    EXPECT_EQ(test::fatalMessageOf([&] {
        status.show("PAUSED", red);
    }).rfind("There was an error initializing the fonts.", 0),
        0u)
        << "showing without a face";
    EXPECT_EQ(test::fatalMessageOf([&] { status.init("fonts/none.ttf"); }), FontErrorMessage) << "a missing font";

    std::filesystem::remove(dir.path() / "Config/Status.dat");
    EXPECT_EQ(test::fatalMessageOf([&] { StatusOverlay none(display); }), StatusErrorMessage) << "no Status.dat";
}
