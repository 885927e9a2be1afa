// CubravaEditor's entry point. So far it runs the 3D editing view on its own,
// as --view-only asks (and, until the dialog joins it, without the flag too):
// the view thread opens the window and reads the files, this thread shows the
// first level of Config/Levels.dat in it and waits until the window is
// closed. Fatal errors end here: message box, standard error, status 1.

#include "ViewThread.h"
#include "data/FatalError.h"
#include "data/PlayerFolder.h"
#include "platform/CommandLine.h"
#include "platform/DisplayProbe.h"
#include "platform/FatalErrorReport.h"
#include "platform/ImageFailures.h"
#include "platform/WindowWake.h"

#include <chrono>
#include <condition_variable>
#include <iostream>
#include <mutex>

using namespace cubrava;

namespace {

constexpr std::chrono::milliseconds StartLimit { 4000 };

const ProgramDescription CommandLineHelp { "cubrava-editor", "CubravaEditor, the level editor of Cubrava.",
    { { "view-only", "show the 3D view alone, with the first level" } }, { playerFolderHelp() } };

// Wakes the main thread for what it must do: show image failures, or notice
// that the view's loop has ended.
class MainWake {
public:
    void poke()
    {
        {
            std::lock_guard<std::mutex> lock(mutex_);
            poked_ = true;
        }
        changed_.notify_all();
    }

    void wait()
    {
        std::unique_lock<std::mutex> lock(mutex_);
        changed_.wait(lock, [this] { return poked_; });
        poked_ = false;
    }

private:
    std::mutex mutex_;
    std::condition_variable changed_;
    bool poked_ = false;
};

int fail(const std::string& message)
{
    reportFatalError(message);
    return 1;
}

int runViewOnly()
{
    MainWake wake;
    setImageFailureNotifier([&wake] { wake.poke(); });
    struct NotifierReset {
        ~NotifierReset() { setImageFailureNotifier({}); }
    } notifierReset;

    // Declared first: the thread fills it and must be gone before it is.
    LevelList levels;
    ViewThread thread;
    thread.setOnEnded([&wake] { wake.poke(); });
    thread.start(levels);

    ViewStart started = thread.waitReady(StartLimit);
    if (started.outcome == ViewStart::Outcome::TimedOut)
        started = thread.waitReady();
    if (started.outcome == ViewStart::Outcome::Failed)
        return fail(started.message);

    thread.view().setLevel(levels.front());
    while (!thread.waitEnded(std::chrono::milliseconds(0))) {
        wake.wait();
        showImageFailures();
    }
    if (std::optional<std::string> failure = thread.loopFailure())
        return fail(*failure);
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    const CommandLine line = parseCommandLine(argc, argv, CommandLineHelp, std::cout, std::cerr);
    if (line.exitStatus)
        return *line.exitStatus;
    // GLUT on the view thread, message boxes and wake-ups on this one.
    enableThreadedX();
    if (!displayAvailable()) {
        std::cerr << "CubravaEditor needs an X display, and none could be opened (is DISPLAY set?)." << std::endl;
        return 1;
    }
    try {
        enterPlayerFolder(CUBRAVA_DATA_FROM_PROGRAM);
        return runViewOnly();
    } catch (const FatalError& e) {
        return fail(e.what());
    } catch (...) {
        return fail(UnknownErrorMessage);
    }
}
