#pragma once

#include "MainThreadQueue.h"
#include "ViewEventRelay.h"
#include "editor/dialog/EditorDesktop.h"
#include "platform/ImageFailures.h"

#include <vector>

namespace cubrava {

// The editor's desktop on the toolkit: the game's splash, the "Cubrava Level
// Editor" dialog saving to the level file, message boxes. Image failures
// reported on the view thread are shown on this one, each once.
//
// Create it on the main thread before the view thread starts, and destroy it
// after that thread has stopped: the view keeps reporting to its relay.
class ToolkitDesktop : public EditorDesktop {
public:
    ToolkitDesktop();
    ~ToolkitDesktop() override;
    ToolkitDesktop(const ToolkitDesktop&) = delete;
    ToolkitDesktop& operator=(const ToolkitDesktop&) = delete;

    void runSplash(const std::function<void()>& start) override;
    void pump() override;
    void closeSplash() override;
    DialogOutcome runDialog(LevelList& levels, EditingView& view) override;
    void closeDialog() override;
    void waitUntil(const std::function<bool()>& condition) override;
    void post(std::function<void()> work) override;
    void reportFailure(std::exception_ptr failure) override;
    void note(const std::string& line) override;

private:
    void showNewImageFailures();

    MainThreadQueue queue_;
    ViewEventRelay relay_;
    std::vector<ImageFailure> shownImageFailures_;
};

} // namespace cubrava
