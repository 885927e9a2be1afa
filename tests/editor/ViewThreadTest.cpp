// The view thread's start-up failing before any window: the failure comes
// back through the ready signal, and the thread can be stopped and destroyed.
#include "editor/ViewThread.h"
#include "support/ProcessStateGuard.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
#include <string>

using namespace cubrava;

namespace {

// Takes DISPLAY away for its lifetime.
class NoDisplay {
public:
    NoDisplay()
    {
        if (const char* display = std::getenv("DISPLAY"))
            saved_ = display;
        ::unsetenv("DISPLAY");
    }
    ~NoDisplay()
    {
        if (saved_)
            ::setenv("DISPLAY", saved_->c_str(), 1);
    }

private:
    std::optional<std::string> saved_;
};

} // namespace

TEST(ViewThread, WithoutADisplayTheStartUpFailsWithAMessageAndTheThreadEnds)
{
    ProcessStateGuard guard;
    NoDisplay noDisplay;
    LevelList levels;
    bool endedCalled = false;
    {
        ViewThread thread;
        thread.setOnEnded([&] { endedCalled = true; });
        EXPECT_EQ(thread.waitReady(std::chrono::milliseconds(0)).outcome, ViewStart::Outcome::TimedOut)
            << "not started";
        thread.start(levels);
        const ViewStart start = thread.waitReady(std::chrono::seconds(30));
        ASSERT_EQ(start.outcome, ViewStart::Outcome::Failed);
        EXPECT_NE(start.message.find("X display"), std::string::npos) << start.message;
        EXPECT_TRUE(thread.waitEnded(std::chrono::seconds(30)));
        EXPECT_FALSE(thread.loopFailure());
        // The view can still be asked things; nothing reaches a window.
        thread.view().removeBlocks();
        thread.stop();
        EXPECT_EQ(thread.waitReady().outcome, ViewStart::Outcome::Failed);
    }
    EXPECT_TRUE(endedCalled);
    EXPECT_TRUE(levels.empty());
}
