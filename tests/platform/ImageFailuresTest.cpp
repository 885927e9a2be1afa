#include "platform/ImageFailures.h"
#include "platform/BmpImage.h"
#include "support/ScratchDir.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

using namespace cubrava;

namespace {

// No display: a box that opened would wait for someone to close it; without
// one the message box falls back to standard error, where the tests see it.
struct ImageFailuresTest : ::testing::Test {
    ScratchDir dir;
    int notified = 0;
    std::string badText, worseText; // the reader's words for each file

    void SetUp() override
    {
        ::unsetenv("DISPLAY");
        takeImageFailures();
        setImageFailureNotifier([this] { ++notified; });
        dir.write("Textures/bad.bmp", "BM this is not a picture");
        dir.write("Textures/worse.bmp", "BM");
        RgbImage image;
        badText = bmpErrorText(readBmp("Textures/bad.bmp", image));
        worseText = bmpErrorText(readBmp("Textures/worse.bmp", image));
        ASSERT_NE(badText, "");
        ASSERT_NE(worseText, "");
    }

    void TearDown() override
    {
        setImageFailureNotifier({});
        takeImageFailures();
    }
};

} // namespace

TEST_F(ImageFailuresTest, LoadingQueuesTheFailureAndShowsNothingItself)
{
    RgbImage image;
    ::testing::internal::CaptureStderr();
    EXPECT_FALSE(loadBmp("Textures/bad.bmp", image));
    EXPECT_FALSE(loadBmp("Textures/bad.bmp", image)); // tried again while the first waits
    EXPECT_FALSE(loadBmp("Textures/worse.bmp", image));
    EXPECT_FALSE(loadBmp("Textures/missing.bmp", image)); // no file: nothing to tell
    EXPECT_EQ(::testing::internal::GetCapturedStderr(),
        "Textures/bad.bmp: " + badText + "\n" + "Textures/bad.bmp: " + badText + "\n"
            + "Textures/worse.bmp: " + worseText + "\n")
        << "a box (or its stand-in) was shown from inside loading";
    EXPECT_EQ(notified, 2);

    const std::vector<ImageFailure> expected {
        { "Textures/bad.bmp", badText },
        { "Textures/worse.bmp", worseText },
    };
    EXPECT_EQ(takeImageFailures(), expected);
    EXPECT_TRUE(takeImageFailures().empty());
}

TEST_F(ImageFailuresTest, TheToolkitThreadShowsEachInAnErrorBox)
{
    RgbImage image;
    ::testing::internal::CaptureStderr();
    loadBmp("Textures/bad.bmp", image);
    loadBmp("Textures/worse.bmp", image);
    ::testing::internal::GetCapturedStderr();

    ::testing::internal::CaptureStderr();
    showImageFailures();
    EXPECT_EQ(::testing::internal::GetCapturedStderr(), "Error: " + badText + "\n" + "Error: " + worseText + "\n");
    EXPECT_TRUE(takeImageFailures().empty());
}

TEST_F(ImageFailuresTest, WhileABoxIsOpenItsOwnFailureIsDroppedAndOthersWaitTheirTurn)
{
    reportImageFailure("a.bmp", "Out of memory.");
    std::vector<std::string> shown;
    int nestedCalls = 0;
    showImageFailures([&](const ImageFailure& failure) {
        shown.push_back(failure.path);
        if (shown.size() == 1) {
            // The rendering thread keeps trying while the box is open.
            reportImageFailure("a.bmp", "Out of memory.");
            reportImageFailure("b.bmp", "Out of memory.");
            // A toolkit callback asks for the failures from inside the box.
            showImageFailures([&](const ImageFailure&) { ++nestedCalls; });
        }
    });
    EXPECT_EQ(shown, (std::vector<std::string> { "a.bmp", "b.bmp" }));
    EXPECT_EQ(nestedCalls, 0);

    // Once its box is closed the same failure is news again.
    reportImageFailure("a.bmp", "Out of memory.");
    EXPECT_EQ(takeImageFailures().size(), 1u);
}
