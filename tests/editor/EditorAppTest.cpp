// The editor program's start-up and endings, on a view thread and a desktop
// that record what they are asked. The view thread's clock is the test's:
// the thread reports (ready or failed) when its waits have reached a time.

#include "editor/dialog/EditorApp.h"
#include "data/FatalError.h"
#include "editor/DialogFakes.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <deque>
#include <string>
#include <vector>

using namespace cubrava;
using namespace cubrava::test;
using namespace std::chrono_literals;
using std::chrono::milliseconds;
using Steps = std::vector<std::string>;

namespace {

struct Editor : ViewRunner, EditorDesktop {
    // The view thread's script: when it reports after start, and what.
    milliseconds reportsAfter { 1500 };
    ViewStart report { ViewStart::Outcome::Ready, {} };
    // What happens while the dialog is open, before its loop runs posted work.
    std::function<void()> whileDialogOpen;

    Steps steps;
    std::chrono::steady_clock::time_point now {}, reportsAt {}, splashClosedAt {};
    int pumps = 0;
    FakeView fakeView;
    EditingView* dialogView = nullptr;

    // The view's loop ends, by a failure or by the user closing its window.
    void endLoop(std::optional<std::string> failure)
    {
        loopFailure_ = std::move(failure);
        end();
    }

    // ViewRunner
    void setOnEnded(std::function<void()> onEnded) override { onEnded_ = std::move(onEnded); }
    void setCloseEnds(bool) override { }
    void start(LevelList& levels) override
    {
        steps.push_back("start");
        reportsAt = now + reportsAfter;
        levels.push_back(LevelDef(6, 6, 8));
    }
    ViewStart waitReady(milliseconds limit) override
    {
        if (now + limit < reportsAt) {
            now += limit;
            return { ViewStart::Outcome::TimedOut, {} };
        }
        now = std::max(now, reportsAt);
        return report;
    }
    ViewStart waitReady() override
    {
        steps.push_back("wait without limit");
        now = std::max(now, reportsAt);
        return report;
    }
    EditingView& view() override { return fakeView; }
    bool waitEnded(milliseconds) override { return ended_; }
    std::optional<std::string> loopFailure() const override { return loopFailure_; }
    void stop() override
    {
        if (!ended_)
            steps.push_back("stop");
        end();
    }

    // EditorDesktop
    void runSplash(const std::function<void()>& start) override
    {
        steps.push_back("splash");
        start();
    }
    void pump() override
    {
        ++pumps;
        runPosted();
    }
    void closeSplash() override
    {
        steps.push_back("close splash");
        splashClosedAt = now;
    }
    DialogOutcome runDialog(LevelList& levels, EditingView& view) override
    {
        steps.push_back("dialog on " + std::to_string(levels.size()) + " level(s)");
        dialogView = &view;
        if (whileDialogOpen)
            whileDialogOpen();
        runPosted();
        return dialogClosed_ ? DialogOutcome::Open : DialogOutcome::Done;
    }
    void closeDialog() override
    {
        steps.push_back("close dialog");
        dialogClosed_ = true;
    }
    void waitUntil(const std::function<bool()>& condition) override
    {
        runPosted();
        ASSERT_TRUE(condition()) << "the wait would never end";
    }
    void post(std::function<void()> work) override { posted_.push_back(std::move(work)); }
    void reportFailure(std::exception_ptr failure) override
    {
        try {
            std::rethrow_exception(failure);
        } catch (const FatalError& e) {
            steps.push_back(std::string("report ") + e.what());
        }
    }
    void note(const std::string& line) override { steps.push_back("note " + line); }

private:
    void end()
    {
        if (!ended_ && onEnded_) {
            ended_ = true;
            onEnded_();
        }
    }
    void runPosted()
    {
        for (; !posted_.empty(); posted_.pop_front())
            posted_.front()();
    }

    std::function<void()> onEnded_;
    std::optional<std::string> loopFailure_;
    bool ended_ = false;
    bool dialogClosed_ = false;
    std::deque<std::function<void()>> posted_;

public:
    // Last: it hands the view thread its ending callback as it is made.
    EditorApp app { *this, *this, [this] { return now; } };
};

const Steps Edited { "splash", "start", "dialog on 1 level(s)", "stop" };

} // namespace

TEST(EditorApp, TheViewUpWithinFourSecondsGetsTheDialogLaterItEndsTheProgramWithoutIt)
{
    Editor soon;
    EXPECT_EQ(soon.app.run(), 0);
    EXPECT_EQ(soon.steps, Edited);
    EXPECT_EQ(soon.dialogView, &soon.fakeView);
    EXPECT_GE(soon.pumps, 14) << "the splash was kept up while waiting";

    Editor justInTime;
    justInTime.reportsAfter = 3990ms;
    EXPECT_EQ(justInTime.app.run(), 0);
    EXPECT_EQ(justInTime.steps, Edited);

    Editor late;
    late.reportsAfter = 4010ms;
    const auto begin = late.now;
    EXPECT_EQ(late.app.run(), 0);
    EXPECT_EQ(late.steps,
        (Steps {
            "splash", "start", "close splash", "wait without limit", std::string("note ") + LateViewMessage, "stop" }));
    EXPECT_EQ(late.splashClosedAt - begin, 4000ms);
}

TEST(EditorApp, AFailedStartIsReportedOnceTheViewStoppedAndEndsWithStatusOne)
{
    Editor early;
    early.reportsAfter = 300ms;
    early.report = { ViewStart::Outcome::Failed, "no levels" };
    EXPECT_EQ(early.app.run(), 1);
    EXPECT_EQ(early.steps, (Steps { "splash", "start", "stop", "report no levels" }));

    Editor late;
    late.reportsAfter = 9000ms;
    late.report = { ViewStart::Outcome::Failed, "no pieces" };
    EXPECT_EQ(late.app.run(), 1);
    EXPECT_EQ(
        late.steps, (Steps { "splash", "start", "close splash", "wait without limit", "stop", "report no pieces" }));
}

TEST(EditorApp, AFailureOnEitherThreadClosesTheDialogAndEndsWithStatusOneAClosedViewDoesNot)
{
    Editor viewFails;
    viewFails.whileDialogOpen = [&] { viewFails.endLoop("the view broke"); };
    EXPECT_EQ(viewFails.app.run(), 1);
    EXPECT_EQ(viewFails.steps,
        (Steps { "splash", "start", "dialog on 1 level(s)", "close dialog", "report the view broke" }));

    Editor dialogFails;
    dialogFails.whileDialogOpen = [] { throw FatalError("the dialog broke"); };
    EXPECT_EQ(dialogFails.app.run(), 1);
    EXPECT_EQ(
        dialogFails.steps, (Steps { "splash", "start", "dialog on 1 level(s)", "stop", "report the dialog broke" }));

    // The user closed the view's window: the dialog goes on, and may still save.
    Editor viewClosed;
    viewClosed.whileDialogOpen = [&] { viewClosed.endLoop(std::nullopt); };
    EXPECT_EQ(viewClosed.app.run(), 0);
    EXPECT_EQ(viewClosed.steps, (Steps { "splash", "start", "dialog on 1 level(s)" }));
}
