#include "EditorApp.h"

#include "data/FatalError.h"

#include <algorithm>

namespace cubrava {

const char* const LateViewMessage
    = "CubravaEditor ends: its 3D view took longer than 4 seconds to start, so the level editor was not opened.";

namespace {

using std::chrono::milliseconds;

// How often the splash is kept on top while the view starts.
constexpr milliseconds PumpPeriod { 100 };

} // namespace

EditorApp::EditorApp(ViewRunner& view, EditorDesktop& desktop, Clock now)
    : view_(view)
    , desktop_(desktop)
    , now_(std::move(now))
{
    // On the view thread: the main thread looks at how it ended.
    view_.setOnEnded([this] { desktop_.post([this] { viewEnded(); }); });
}

EditorApp::~EditorApp()
{
    view_.stop();
}

int EditorApp::run()
{
    std::exception_ptr failure;
    try {
        desktop_.runSplash([this] { startAndEdit(); });
    } catch (...) {
        failure = std::current_exception();
    }
    return finish(failure);
}

int EditorApp::runViewOnly()
{
    std::exception_ptr failure;
    try {
        view_.setCloseEnds(true);
        view_.start(levels_);
        ViewStart started = view_.waitReady(StartLimit);
        if (started.outcome == ViewStart::Outcome::TimedOut)
            started = view_.waitReady();
        if (started.outcome == ViewStart::Outcome::Failed)
            throw FatalError(started.message);
        view_.view().setLevel(levels_.front());
        desktop_.waitUntil([this] { return view_.waitEnded(milliseconds(0)); });
    } catch (...) {
        failure = std::current_exception();
    }
    return finish(failure);
}

void EditorApp::startAndEdit()
{
    view_.start(levels_);
    ViewStart started = waitForView();
    if (started.outcome == ViewStart::Outcome::TimedOut) {
        desktop_.closeSplash();
        started = view_.waitReady();
        if (started.outcome == ViewStart::Outcome::Ready) {
            desktop_.note(LateViewMessage);
            return;
        }
    }
    if (started.outcome == ViewStart::Outcome::Failed)
        throw FatalError(started.message);
    // A view that already failed is reported once this returns.
    if (view_.loopFailure())
        return;
    dialogOpen_ = true;
    struct Closed {
        bool& open;
        ~Closed() { open = false; }
    } closed { dialogOpen_ };
    desktop_.runDialog(levels_, view_.view());
}

// The splash stays on top and closes on time while the view starts.
ViewStart EditorApp::waitForView()
{
    const auto deadline = now_() + StartLimit;
    for (;;) {
        const auto left = std::chrono::duration_cast<milliseconds>(deadline - now_());
        ViewStart started = view_.waitReady(std::clamp(left, milliseconds(0), PumpPeriod));
        if (started.outcome != ViewStart::Outcome::TimedOut || left <= PumpPeriod)
            return started;
        desktop_.pump();
    }
}

void EditorApp::viewEnded()
{
    // A window closed by the user leaves the dialog to go on without it.
    if (dialogOpen_ && view_.loopFailure())
        desktop_.closeDialog();
}

int EditorApp::finish(std::exception_ptr failure)
{
    view_.stop();
    if (!failure) {
        if (std::optional<std::string> loopFailure = view_.loopFailure())
            failure = std::make_exception_ptr(FatalError(*loopFailure));
    }
    if (failure) {
        desktop_.reportFailure(failure);
        return 1;
    }
    return 0;
}

} // namespace cubrava
