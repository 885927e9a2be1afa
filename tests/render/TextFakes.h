#pragma once

#include "render/MenuActions.h"

#include <string>
#include <vector>

namespace cubrava {

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
