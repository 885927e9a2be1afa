#pragma once

#include <functional>

namespace cubrava {

constexpr int kSplashWidth = 527;
constexpr int kSplashHeight = 392;
// Never shown (the splash has no border); lets tools and tests find the window.
constexpr const char* kSplashTitle = "Cubrava splash";

// Shows the splash (borderless, centred, above other windows, painting
// splashImage()) and runs the toolkit's loop. 1000 ms after the splash opened,
// `start` runs once; it may never return, entering another loop that calls
// pumpSplash(). 2000 ms after it opened the splash closes. Returns once `start`
// has returned and the splash has closed; an exception from `start` closes the
// splash and comes out of here. Without a display `start` simply runs.
// `meanwhile`, when given, runs once the splash is on screen, before the
// 1000 ms tick: work that shows nothing, so that `start` has less to do.
void runSplash(const std::function<void()>& start, const std::function<void()>& meanwhile = {});

// For a loop that runs inside `start`: call it about every 100 ms. Keeps the
// splash above windows opened after it and lets it close on time. Returns
// false once the splash has closed.
bool pumpSplash();

// Closes the splash now, if it is open (an error box must not sit beneath it).
void closeSplash();

} // namespace cubrava
