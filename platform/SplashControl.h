#pragma once

#include <FL/Fl_Window.H>
#include <functional>
#include <memory>

namespace cubrava {

// The open splash and its two timers, kept apart from the picture so that
// closing the splash (as the fatal-error report does) needs no image linked.

// Takes the shown window and arms the timers: `start` after 1000 ms, the
// closing after 2000 ms.
void armSplash(std::unique_ptr<Fl_Window> window, const std::function<void()>& start);

// Runs the toolkit's loop until `start` has returned and the splash is closed,
// then passes on what `start` threw.
void waitForSplash();

} // namespace cubrava
