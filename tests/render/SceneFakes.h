#pragma once

#include "render/DisplayService.h"
#include "render/TimerService.h"
#include "support/PieceMaking.h"
#include "support/ScratchDir.h"

#include <functional>
#include <map>
#include <string>
#include <utility>
#include <vector>

// Counts what a view asks of the display; never runs list content (that is
// OpenGL). Lists are numbered from 1; makeLists = false plays a renderer that
// has none to give.
struct CountingDisplay : cubrava::DisplayService {
    int redisplays = 0;
    int warps = 0;
    int lastWarpX = -1, lastWarpY = -1;
    int width = 800, height = 600;
    bool makeLists = true;
    unsigned nextList = 1;
    std::vector<unsigned> deleted;
    std::vector<unsigned> compiled;
    std::vector<unsigned> called;

    void postRedisplay() override { ++redisplays; }
    void warpPointer(int x, int y) override
    {
        ++warps;
        lastWarpX = x;
        lastWarpY = y;
    }
    int windowWidth() const override { return width; }
    int windowHeight() const override { return height; }
    unsigned newList() override { return makeLists ? nextList++ : 0; }
    void deleteList(unsigned list) override { deleted.push_back(list); }
    void compileList(unsigned list, const std::function<void()>&) override { compiled.push_back(list); }
    void callList(unsigned list) override { called.push_back(list); }

    void forget()
    {
        redisplays = 0;
        warps = 0;
        deleted.clear();
        compiled.clear();
        called.clear();
    }
};

// A clock that only moves when the test says so.
struct FakeClock : cubrava::TimerService {
    unsigned now = 0;
    std::multimap<unsigned, std::function<void()>> timers;

    void after(unsigned delayMs, std::function<void()> callback) override
    {
        timers.emplace(now + delayMs, std::move(callback));
    }

    // Fires everything due up to now + ms, in time order.
    void advance(unsigned ms)
    {
        const unsigned end = now + ms;
        while (!timers.empty() && timers.begin()->first <= end) {
            auto first = timers.begin();
            now = first->first;
            auto callback = std::move(first->second);
            timers.erase(first);
            callback();
        }
        now = end;
    }

    std::size_t pending() const { return timers.size(); }
};

// Two pieces for a PlayField to play with: a single red cube, and a green bar
// three long along x.
inline cubrava::PieceSet scenePieces()
{
    return cubrava::test::piecesOf({ cubrava::test::cube, cubrava::test::lineX3 });
}
