#include "ViewThread.h"

#include "data/FatalError.h"
#include "platform/DisplayProbe.h"
#include "platform/FatalErrorReport.h"

#include <GL/freeglut.h>

#include <cstdarg>
#include <cstdio>

namespace cubrava {

namespace {

const char* const NoDisplayMessage = "The level editor needs an X display, and none could be opened (is DISPLAY set?).";

// How often the loop looks whether it was asked to end, in case no display
// comes to tell it (a window that is not mapped draws nothing).
constexpr unsigned EndCheckMs = 200;

// freeglut ends the process on its fatal errors unless told otherwise; raised
// instead, they end the start-up or the loop where we report them.
void raiseGlutError(const char* format, va_list args, void*)
{
    char text[512];
    std::vsnprintf(text, sizeof text, format, args);
    throw FatalError(text);
}

} // namespace

ViewThread::ViewThread()
    : wake_(ViewWindowTitle)
    , parts_([this] { return wake_.wake(); }, [this](std::exception_ptr error) { window_.fail(error); })
    , window_(parts_.view())
{
}

ViewThread::~ViewThread()
{
    stop();
}

void ViewThread::setOnEnded(std::function<void()> onEnded)
{
    onEnded_ = std::move(onEnded);
}

void ViewThread::start(LevelList& levels)
{
    if (thread_.joinable())
        return;
    thread_ = std::thread([this, &levels] { run(levels); });
}

void ViewThread::run(LevelList& levels)
{
    if (startUp(levels)) {
        watchForEnd();
        // Returns when the loop is asked to end. An
        // error freeglut raises outside our callbacks ends it here too.
        std::exception_ptr failure;
        try {
            glutMainLoop();
        } catch (...) {
            failure = std::current_exception();
        }
        if (!failure)
            failure = window_.failure();
        if (failure) {
            std::lock_guard<std::mutex> lock(mutex_);
            loopFailure_ = fatalErrorText(failure);
        }
    }
    {
        std::lock_guard<std::mutex> lock(mutex_);
        ended_ = true;
    }
    changed_.notify_all();
    if (onEnded_)
        onEnded_();
}

bool ViewThread::startUp(LevelList& levels)
{
    bool windowOpen = false;
    try {
        if (!displayAvailable())
            throw FatalError(NoDisplayMessage);
        glutInitErrorFuncUcall(raiseGlutError, nullptr);
        int argc = 1;
        char name[] = "CubravaEditor";
        char* argv[] = { name, nullptr };
        glutInit(&argc, argv);
        // Unless it ends the loop, the close box brings the window back (ViewWindow).
        glutSetOption(GLUT_ACTION_ON_WINDOW_CLOSE,
            closeEnds_ ? GLUT_ACTION_GLUTMAINLOOP_RETURNS : GLUT_ACTION_CONTINUE_EXECUTION);
        window_.setReopens(!closeEnds_);
        window_.setOnOpened([this](unsigned long xid) { wake_.setWindow(xid); });
        window_.create();
        windowOpen = true;
        readLevels(levels);
    } catch (...) {
        const std::string message = fatalErrorText(std::current_exception());
        // The window goes, for good; the main thread shows the message.
        window_.requestEnd();
        if (windowOpen)
            glutExit();
        {
            std::lock_guard<std::mutex> lock(mutex_);
            failed_ = true;
            failure_ = message;
        }
        changed_.notify_all();
        return false;
    }
    {
        std::lock_guard<std::mutex> lock(mutex_);
        ready_ = true;
    }
    changed_.notify_all();
    return true;
}

void ViewThread::watchForEnd()
{
    parts_.timers().after(EndCheckMs, [this] {
        if (window_.endRequested())
            glutLeaveMainLoop();
        else
            watchForEnd();
    });
}

ViewStart ViewThread::startResult() const
{
    if (ready_)
        return { ViewStart::Outcome::Ready, {} };
    if (failed_)
        return { ViewStart::Outcome::Failed, failure_ };
    return { ViewStart::Outcome::TimedOut, {} };
}

ViewStart ViewThread::waitReady(std::chrono::milliseconds limit)
{
    std::unique_lock<std::mutex> lock(mutex_);
    changed_.wait_for(lock, limit, [this] { return ready_ || failed_; });
    return startResult();
}

ViewStart ViewThread::waitReady()
{
    std::unique_lock<std::mutex> lock(mutex_);
    if (!thread_.joinable())
        return startResult();
    changed_.wait(lock, [this] { return ready_ || failed_; });
    return startResult();
}

bool ViewThread::waitEnded(std::chrono::milliseconds limit)
{
    std::unique_lock<std::mutex> lock(mutex_);
    return changed_.wait_for(lock, limit, [this] { return ended_; });
}

void ViewThread::waitEnded()
{
    std::unique_lock<std::mutex> lock(mutex_);
    changed_.wait(lock, [this] { return ended_; });
}

std::optional<std::string> ViewThread::loopFailure() const
{
    std::lock_guard<std::mutex> lock(mutex_);
    return loopFailure_;
}

void ViewThread::stop()
{
    if (!thread_.joinable())
        return;
    window_.requestEnd();
    // A display ends the loop at once; the watch does it within its period
    // when none comes.
    do
        parts_.redisplay().request();
    while (!waitEnded(std::chrono::milliseconds(500)));
    thread_.join();
}

} // namespace cubrava
