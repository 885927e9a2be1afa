// The level editor's main dialog on a stand-in view, for looking at it and
// for screen tests. Every call the dialog makes on the view, every save and
// the way the dialog ended are printed on standard output.
//
//   editor_dialog_demo LEVELS_FILE [--failing-save]
//
// The stand-in view keeps one cell selected, so "Add Block(s)" can be used;
// it reports from a thread of its own, as the real view does.

#include "data/FatalError.h"
#include "data/LevelList.h"
#include "editor/dialog/EditingView.h"
#include "editor/widgets/LevelEditorWindow.h"
#include "editor/widgets/ViewEventRelay.h"
#include "platform/FatalErrorReport.h"
#include "platform/WindowLookup.h"

#include <cstdio>
#include <cstring>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

using namespace cubrava;

namespace {

class StandInView : public EditingView {
public:
    ~StandInView() override
    {
        for (std::thread& t : reports_)
            t.join();
    }

    void setLevel(const LevelDef& level) override
    {
        std::printf("setLevel %s %d %d %d\n", level.name.c_str(), level.x, level.y, level.z);
        std::fflush(stdout);
        level_ = level;
        report(anyAtOrigin());
    }

    void addBlocks(const Material& brush) override
    {
        std::printf("addBlocks %02X%02X%02X %s\n", channel(brush.red), channel(brush.green), channel(brush.blue),
            brush.textureName.c_str());
        std::fflush(stdout);
        level_.clearBlocks();
        level_.addBlock(0, 0, 0, brush);
        report(true);
    }

    void removeBlocks() override
    {
        std::puts("removeBlocks");
        std::fflush(stdout);
        level_.clearBlocks();
        report(false);
    }

    void exportBlocks(LevelDef& level) override
    {
        level.clearBlocks();
        for (const Block& b : level_.blocks())
            level.addBlock(b.x, b.y, b.z, *b.material);
    }

    void replaceCubes(const LevelDef& level) override
    {
        level_ = level;
        report(anyAtOrigin());
    }

    void addListener(ViewListener& listener) override { listener_ = &listener; }

private:
    static int channel(float value) { return static_cast<int>(value * 255.0f); }

    bool anyAtOrigin() const
    {
        for (const Block& b : level_.blocks())
            if (b.x == 0 && b.y == 0 && b.z == 0)
                return true;
        return false;
    }

    // The cell (0, 0) of layer 0 stays selected.
    void report(bool occupied)
    {
        if (!listener_)
            return;
        ViewListener* listener = listener_;
        reports_.emplace_back([listener, occupied] { listener->selectionChanged(false, occupied); });
    }

    LevelDef level_;
    ViewListener* listener_ = nullptr;
    std::vector<std::thread> reports_;
};

} // namespace

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: editor_dialog_demo LEVELS_FILE [--failing-save]\n");
        return 2;
    }
    const bool failingSave = argc > 2 && std::strcmp(argv[2], "--failing-save") == 0;
    try {
        LevelList levels;
        readLevelsFrom(argv[1], levels);
        ViewEventRelay relay;
        StandInView view;
        DialogServices services;
        services.saveLevels = [failingSave](const LevelList& list) {
            std::printf("save %zu levels%s\n", list.size(), failingSave ? " (failing)" : "");
            std::fflush(stdout);
            return !failingSave;
        };
        services.gameRunning = [] { return findWindowByTitle("Cubrava").has_value(); };
        LevelEditorWindow dialog(levels, view, relay, services);
        DialogOutcome outcome = dialog.run();
        std::puts(outcome == DialogOutcome::Done ? "outcome done" : "outcome cancelled");
    } catch (const FatalError& error) {
        reportFatalError(error.what());
        return 1;
    }
    return 0;
}
