#pragma once

#include <cstdint>

namespace cubrava {

// What lives as long as the process instead of in an object handed to those
// who use it, each for its reason. None of it reads a file or makes an OpenGL
// call behind its caller's back.
//
// - The random generator, below: one sequence serves piece choice, songs,
//   status messages and particles, as the game's rules have it; tests seed it.
// - The image failures waiting to be shown (platform/ImageFailures.h): an
//   image that cannot be decoded is met inside a frame, on whichever thread
//   draws, and its message box must come on the toolkit's thread.
// - The open splash (platform/SplashControl.h) and the X error trap
//   (platform/XErrorTrap.h): FLTK's timers and Xlib's error handler take plain
//   functions, and Xlib has one error handler per process.
// - The listener of PLIB's scheduler (audio/PlibSoundLibrary.cpp) and the game
//   program itself (game/main.cpp): PLIB's and GLUT's callbacks carry no
//   pointer of ours.
// - FLTK's thread support, switched on once (editor/widgets/MainThreadQueue.cpp).

// Seeds the generator: the time at start-up, a fixed value in tests.
void srand(std::uint32_t seed);

// Next value, 0 to 32767.
int rand();

} // namespace cubrava
