#pragma once

#include "game/Screen.h"
#include "render/DisplayService.h"
#include "render/TimerService.h"

#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <utility>
#include <vector>

namespace cubrava::test {

// A clock that moves only when told; timers fire in time order, ties in the
// order they were armed, and may arm further timers.
class FakeClock : public TimerService {
public:
    void after(unsigned delayMs, std::function<void()> callback) override
    {
        timers_.emplace(std::make_pair(now_ + delayMs, next_++), std::move(callback));
    }

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

struct FakeDisplay : DisplayService {
    int redisplays = 0;
    int warps = 0;
    unsigned nextList = 1;

    void postRedisplay() override { ++redisplays; }
    void warpPointer(int, int) override { ++warps; }
    int windowWidth() const override { return 1024; }
    int windowHeight() const override { return 768; }
    unsigned newList() override { return nextList++; }
    void deleteList(unsigned) override { }
    void compileList(unsigned, const std::function<void()>&) override { }
    void callList(unsigned) override { }
};

struct FakeScreen : Screen {
    bool full = true;
    bool pointerVisible = true;
    bool idleWanted = false;
    int displaysMade = 0;

    void enterFullScreen() override
    {
        full = true;
        ++displaysMade;
    }
    void leaveFullScreen() override { full = false; }
    bool fullScreen() const override { return full; }
    void openWindow() override { ++displaysMade; }
    void closeWindow() override { }
    void registerCallbacks() override { }
    void setPointerVisible(bool visible) override { pointerVisible = visible; }
    void setIdleWanted(bool wanted) override { idleWanted = wanted; }
    std::optional<PointerPlace> pointerPlace() const override { return pointer; }

    // Where the pointer is on the display made last; nothing: not known.
    std::optional<PointerPlace> pointer;
};

} // namespace cubrava::test
