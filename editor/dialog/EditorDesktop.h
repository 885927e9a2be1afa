#pragma once

#include "EditingView.h"
#include "LevelEditorDialog.h"
#include "data/LevelList.h"

#include <exception>
#include <functional>
#include <string>

namespace cubrava {

// What the editor program needs of the desktop, on its main thread: the
// splash, the main dialog, the boxes that end it, and a way for the view
// thread to hand work over. The toolkit provides it on screen
// (ToolkitDesktop); tests use a fake.
class EditorDesktop {
public:
    virtual ~EditorDesktop() = default;

    // Shows the splash and, 1000 ms later, runs `start` inside its loop.
    // Returns once `start` has returned and the splash has closed, which it
    // does 2000 ms after it opened; what `start` raises comes out here.
    virtual void runSplash(const std::function<void()>& start) = 0;
    // Lets the toolkit do what waits: keep the splash on top, run posted work.
    virtual void pump() = 0;
    virtual void closeSplash() = 0;

    // Runs the main dialog on the list and the view until "Done" or "Cancel"
    // closes it, or closeDialog. A failure in its handlers comes out here.
    virtual DialogOutcome runDialog(LevelList& levels, EditingView& view) = 0;
    // Closes the dialog and every box open over it, ending runDialog.
    virtual void closeDialog() = 0;

    // Runs the toolkit's loop until the condition holds; it is looked at
    // again after every event and every piece of posted work.
    virtual void waitUntil(const std::function<bool()>& condition) = 0;
    // Any thread, never waits: the work runs on the main thread, in order,
    // inside pump, waitUntil or the dialog's loop.
    virtual void post(std::function<void()> work) = 0;

    // The failure that ends the program: a "Bad News..." box with its text
    // (or the unknown-error text), also written to standard error.
    virtual void reportFailure(std::exception_ptr failure) = 0;
    // One line on standard error.
    virtual void note(const std::string& line) = 0;
};

} // namespace cubrava
