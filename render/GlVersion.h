#pragma once

namespace cubrava {

// Whether the current rendering context offers at least OpenGL major.minor
// (buffer objects came with 1.5, framebuffer objects with 3.0).
bool glVersionAtLeast(int major, int minor);

} // namespace cubrava
