#pragma once

#include <exception>

class Fl_Window;

namespace cubrava {

// Runs a window of the toolkit until it is hidden. A failure inside one of
// its handlers must not unwind through the toolkit: guarded catches it and
// hides the window, and run raises it for the caller.
class ModalLoop {
public:
    explicit ModalLoop(Fl_Window& window)
        : window_(window)
    {
    }

    template <typename Action> void guarded(Action action)
    {
        try {
            action();
        } catch (...) {
            fail(std::current_exception());
        }
    }

    // Shows the window and returns once it is hidden.
    void run();

    // Raises the first failure caught, if any.
    void rethrowFailure() const;

private:
    void fail(std::exception_ptr failure);

    Fl_Window& window_;
    std::exception_ptr failure_;
};

} // namespace cubrava
