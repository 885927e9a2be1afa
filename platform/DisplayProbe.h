#pragma once

namespace cubrava {

// Whether an X display can be opened. The toolkits end the process when they
// cannot open one; ask this first to fail with a message of our own instead.
bool displayAvailable();

} // namespace cubrava
