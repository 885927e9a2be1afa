#pragma once

#include "render/DisplayService.h"

#include <functional>
#include <vector>

namespace cubrava::test {

// A window of a set size that counts what a view asks of it. It never runs
// list content (that is OpenGL). Lists are numbered from 1; makeLists = false
// plays a renderer that has none to give.
struct FakeDisplay : DisplayService {
    explicit FakeDisplay(int windowWidth = 1024, int windowHeight = 768)
        : width(windowWidth)
        , height(windowHeight)
    {
    }

    int width, height;
    int redisplays = 0;
    int warps = 0;
    int lastWarpX = -1, lastWarpY = -1;
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

    // Starts the counts again; the lists made so far stay made.
    void forget()
    {
        redisplays = 0;
        warps = 0;
        deleted.clear();
        compiled.clear();
        called.clear();
    }
};

} // namespace cubrava::test
