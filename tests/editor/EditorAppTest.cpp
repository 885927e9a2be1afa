// The editor program's start-up and endings, on a view thread and a desktop
// that only record what they are asked. The view thread's clock is the
// test's: it comes up (or fails) when its wait reaches a given time.

#include "editor/EditorApp.h"
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

namespace {

using Steps = std::vector<std::string>;

struct TestClock {
    std::chrono::steady_clock::time_point now {};
};

class FakeViewThread : public ViewRunner {
public:
    FakeViewThread(Steps& steps, TestClock& clock)
        : steps_(steps)
        , clock_(clock)
    {
    }

    // When, after start, the thread reports, and what.
    milliseconds reportsAfter { 1500 };
    ViewStart::Outcome outcome = ViewStart::Outcome::Ready;
    std::string startFailure;
    FakeView fakeView;

    // The loop ends, as a failure or a window closed by the user would end it.
    void endLoop(std::optional<std::string> failure)
    {
        loopFailure_ = std::move(failure);
        end();
    }

    void setOnEnded(std::function<void()> onEnded) override { onEnded_ = std::move(onEnded); }

    void start(LevelList& levels) override
    {
        steps_.push_back("start");
        reportsAt_ = clock_.now + reportsAfter;
        LevelDef level;
        level.name = "Read by the view";
        levels.push_back(level);
    }

    ViewStart waitReady(milliseconds limit) override
    {
        if (clock_.now + limit < reportsAt_) {
            clock_.now += limit;
            return { ViewStart::Outcome::TimedOut, {} };
        }
        clock_.now = std::max(clock_.now, reportsAt_);
        return result();
    }

    ViewStart waitReady() override
    {
        steps_.push_back("wait without limit");
        clock_.now = std::max(clock_.now, reportsAt_);
        return result();
    }

    EditingView& view() override { return fakeView; }
    bool waitEnded(milliseconds) override { return ended_; }
    std::optional<std::string> loopFailure() const override { return loopFailure_; }

    void stop() override
    {
        if (!ended_)
            steps_.push_back("stop");
        end();
    }

private:
    ViewStart result() const
    {
        if (outcome == ViewStart::Outcome::Failed)
            return { outcome, startFailure };
        return { outcome, {} };
    }

    void end()
    {
        if (ended_)
            return;
        ended_ = true;
        if (onEnded_)
            onEnded_();
    }

    Steps& steps_;
    TestClock& clock_;
    std::chrono::steady_clock::time_point reportsAt_ {};
    std::function<void()> onEnded_;
    std::optional<std::string> loopFailure_;
    bool ended_ = false;
};

class FakeDesktop : public EditorDesktop {
public:
    FakeDesktop(Steps& steps, TestClock& clock)
        : steps_(steps)
        , clock_(clock)
    {
    }

    int pumps = 0;
    DialogOutcome outcome = DialogOutcome::Done;
    // What happens while the dialog is open, before its loop runs the posted work.
    std::function<void()> whileDialogOpen;
    std::chrono::steady_clock::time_point splashClosedAt {};
    EditingView* dialogView = nullptr;
    // Ends the wait of the view alone, as closing its window does.
    std::function<void()> whileWaiting;

    void runSplash(const std::function<void()>& start) override
    {
        steps_.push_back("splash");
        start();
    }

    void pump() override
    {
        ++pumps;
        runPosted();
    }

    void closeSplash() override
    {
        steps_.push_back("close splash");
        splashClosedAt = clock_.now;
    }

    DialogOutcome runDialog(LevelList& levels, EditingView& view) override
    {
        steps_.push_back("dialog on " + std::to_string(levels.size()) + " level(s)");
        dialogView = &view;
        closed_ = false;
        if (whileDialogOpen)
            whileDialogOpen();
        runPosted();
        return closed_ ? DialogOutcome::Open : outcome;
    }

    void closeDialog() override
    {
        steps_.push_back("close dialog");
        closed_ = true;
    }

    void waitUntil(const std::function<bool()>& condition) override
    {
        if (whileWaiting)
            whileWaiting();
        runPosted();
        ASSERT_TRUE(condition()) << "the wait would never end";
    }

    void post(std::function<void()> work) override { posted_.push_back(std::move(work)); }

    void reportFailure(std::exception_ptr failure) override
    {
        try {
            std::rethrow_exception(failure);
        } catch (const FatalError& e) {
            steps_.push_back(std::string("report ") + e.what());
        } catch (...) {
            steps_.push_back("report unknown");
        }
    }

    void note(const std::string& line) override { steps_.push_back("note " + line); }

private:
    void runPosted()
    {
        while (!posted_.empty()) {
            std::function<void()> work = std::move(posted_.front());
            posted_.pop_front();
            work();
        }
    }

    Steps& steps_;
    TestClock& clock_;
    std::deque<std::function<void()>> posted_;
    bool closed_ = false;
};

struct Editor {
    Steps steps;
    TestClock clock;
    FakeViewThread view { steps, clock };
    FakeDesktop desktop { steps, clock };
    std::optional<EditorApp> app;

    Editor()
    {
        app.emplace(view, desktop, [this] { return clock.now; });
    }

    int run() { return app->run(); }
};

const std::string LateNote = std::string("note ") + LateViewMessage;

} // namespace

TEST(EditorApp, AViewReadyInTimeGetsTheDialogAndDoneOrCancelEndsWithStatusZero)
{
    for (DialogOutcome outcome : { DialogOutcome::Done, DialogOutcome::Cancelled }) {
        Editor editor;
        editor.view.reportsAfter = 1500ms;
        editor.desktop.outcome = outcome;
        EXPECT_EQ(editor.run(), 0);
        EXPECT_EQ(editor.steps, (Steps { "splash", "start", "dialog on 1 level(s)", "stop" }));
        EXPECT_EQ(editor.desktop.dialogView, &editor.view.fakeView);
        // Waiting in steps, the splash was kept up throughout.
        EXPECT_GE(editor.desktop.pumps, 14);
    }
}

TEST(EditorApp, AViewUpAfterFourSecondsEndsTheProgramWithoutTheDialog)
{
    Editor inTime;
    inTime.view.reportsAfter = 3990ms;
    EXPECT_EQ(inTime.run(), 0);
    EXPECT_EQ(inTime.steps, (Steps { "splash", "start", "dialog on 1 level(s)", "stop" }));

    Editor late;
    late.view.reportsAfter = 4010ms;
    const auto begin = late.clock.now;
    EXPECT_EQ(late.run(), 0);
    EXPECT_EQ(late.steps, (Steps { "splash", "start", "close splash", "wait without limit", LateNote, "stop" }));
    EXPECT_EQ(late.desktop.splashClosedAt - begin, 4000ms);
}

TEST(EditorApp, AFailedStartIsReportedOnceTheViewStoppedAndEndsWithStatusOne)
{
    Editor early;
    early.view.reportsAfter = 300ms;
    early.view.outcome = ViewStart::Outcome::Failed;
    early.view.startFailure = "no levels";
    EXPECT_EQ(early.run(), 1);
    EXPECT_EQ(early.steps, (Steps { "splash", "start", "stop", "report no levels" }));

    Editor late;
    late.view.reportsAfter = 9000ms;
    late.view.outcome = ViewStart::Outcome::Failed;
    late.view.startFailure = "no pieces";
    EXPECT_EQ(late.run(), 1);
    EXPECT_EQ(
        late.steps, (Steps { "splash", "start", "close splash", "wait without limit", "stop", "report no pieces" }));
}

TEST(EditorApp, AFailureOnEitherThreadClosesTheDialogAndEndsWithStatusOne)
{
    Editor viewFails;
    viewFails.desktop.whileDialogOpen = [&] { viewFails.view.endLoop("the view broke"); };
    EXPECT_EQ(viewFails.run(), 1);
    EXPECT_EQ(viewFails.steps,
        (Steps { "splash", "start", "dialog on 1 level(s)", "close dialog", "report the view broke" }));

    Editor dialogFails;
    dialogFails.desktop.whileDialogOpen = [] { throw FatalError("the dialog broke"); };
    EXPECT_EQ(dialogFails.run(), 1);
    EXPECT_EQ(
        dialogFails.steps, (Steps { "splash", "start", "dialog on 1 level(s)", "stop", "report the dialog broke" }));

    Editor unknown;
    unknown.desktop.whileDialogOpen = [] { throw 42; };
    EXPECT_EQ(unknown.run(), 1);
    EXPECT_EQ(unknown.steps.back(), "report unknown");
}

TEST(EditorApp, AViewWindowClosedByTheUserLeavesTheDialogOpen)
{
    Editor editor;
    editor.desktop.whileDialogOpen = [&] { editor.view.endLoop(std::nullopt); };
    EXPECT_EQ(editor.run(), 0);
    EXPECT_EQ(editor.steps, (Steps { "splash", "start", "dialog on 1 level(s)" }));
}

TEST(EditorApp, TheViewAloneShowsTheFirstLevelUntilItsLoopEnds)
{
    Editor closed;
    closed.desktop.whileWaiting = [&] { closed.view.endLoop(std::nullopt); };
    EXPECT_EQ(closed.app->runViewOnly(), 0);
    ASSERT_EQ(closed.view.fakeView.shown.size(), 1u);
    EXPECT_EQ(closed.view.fakeView.shown[0].name, "Read by the view");
    EXPECT_EQ(closed.steps, (Steps { "start" }));

    Editor failed;
    failed.desktop.whileWaiting = [&] { failed.view.endLoop("lost the display"); };
    EXPECT_EQ(failed.app->runViewOnly(), 1);
    EXPECT_EQ(failed.steps, (Steps { "start", "report lost the display" }));
}
