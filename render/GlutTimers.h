#pragma once

#include "TimerService.h"

#include <exception>
#include <functional>

namespace cubrava {

// One-shot timers through glutTimerFunc. GLUT hands a timer only an int, so
// each pending callback is kept under a number of its own until it fires.
class GlutTimers : public TimerService {
public:
    // An exception escaping a callback must not unwind through GLUT's C code:
    // it is caught at the edge and handed to onError (without one, the
    // process terminates).
    explicit GlutTimers(std::function<void(std::exception_ptr)> onError = {});

    void after(unsigned delayMs, std::function<void()> callback) override;

    // Callbacks armed and not yet fired, by every instance.
    static std::size_t pending();

private:
    std::function<void(std::exception_ptr)> onError_;
};

} // namespace cubrava
