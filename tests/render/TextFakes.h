#pragma once

#include "render/DisplayService.h"
#include "render/MenuActions.h"

#include <string>
#include <vector>

namespace cubrava {

// A window of a fixed size that counts redisplay requests.
class TextFakeDisplay : public DisplayService {
public:
    TextFakeDisplay(int width = 1024, int height = 768)
        : width_(width)
        , height_(height)
    {
    }

    void postRedisplay() override { ++redisplays; }
    void warpPointer(int, int) override { }
    int windowWidth() const override { return width_; }
    int windowHeight() const override { return height_; }
    unsigned newList() override { return 0; }
    void deleteList(unsigned) override { }
    void compileList(unsigned, const std::function<void()>& content) override { content(); }
    void callList(unsigned) override { }

    int redisplays = 0;

private:
    int width_;
    int height_;
};

// Records what the menu asked for, in order.
class TextFakeActions : public MenuActions {
public:
    void newGame() override { calls.push_back("newGame"); }
    void togglePause() override { calls.push_back("togglePause"); }
    void toggleDisplayMode() override
    {
        calls.push_back("toggleDisplayMode");
        fullScreen = !fullScreen;
    }
    bool fullScreenActive() const override { return fullScreen; }
    void changeSong(SongStep step) override
    {
        calls.push_back(step == SongStep::Next ? "changeSong next"
                : step == SongStep::Previous   ? "changeSong previous"
                                               : "changeSong again");
    }
    void exitGame() override { calls.push_back("exitGame"); }

    std::vector<std::string> calls;
    bool fullScreen = true;
};

// The shipped font, copied into the runtime folder by the build.
inline const char* testFontFile()
{
    return CUBRAVA_TEST_FONT;
}

} // namespace cubrava
