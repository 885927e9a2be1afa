#pragma once

#include "render/TimerService.h"

#include <cstdint>
#include <functional>
#include <map>
#include <utility>

namespace cubrava::test {

// A clock that moves only when told; timers fire in time order, ties in the
// order they were armed, and may arm further timers.
class FakeClock : public TimerService {
public:
    void after(unsigned delayMs, std::function<void()> callback) override
    {
        timers_.emplace(std::make_pair(now_ + delayMs, next_++), std::move(callback));
    }

    // Fires everything due up to now + ms.
    void advance(std::uint64_t ms)
    {
        const std::uint64_t target = now_ + ms;
        while (!timers_.empty() && timers_.begin()->first.first <= target) {
            auto it = timers_.begin();
            now_ = it->first.first;
            auto callback = std::move(it->second);
            timers_.erase(it);
            callback();
        }
        now_ = target;
    }

    std::uint64_t now() const { return now_; }
    std::size_t pending() const { return timers_.size(); }

private:
    std::uint64_t now_ = 0;
    std::uint64_t next_ = 0;
    std::map<std::pair<std::uint64_t, std::uint64_t>, std::function<void()>> timers_;
};

} // namespace cubrava::test
