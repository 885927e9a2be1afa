#pragma once

#include <functional>

namespace cubrava {

// One-shot timers on the window-system thread. Like GLUT's, they cannot be
// withdrawn: code that must not act any more checks its state when it fires.
// Tests replace this with a fake clock.
class TimerService {
public:
    virtual ~TimerService() = default;
    virtual void after(unsigned delayMs, std::function<void()> callback) = 0;
};

} // namespace cubrava
