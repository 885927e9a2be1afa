// Reports from the view thread reach the dialog on the toolkit's thread, in
// order and complete, and the view thread never waits for them.

#include "editor/widgets/ViewEventRelay.h"

#include <FL/Fl.H>
#include <gtest/gtest.h>

#include <chrono>
#include <future>
#include <string>
#include <thread>
#include <vector>

using namespace cubrava;
using namespace std::chrono_literals;

namespace {

class Recorder : public ViewListener {
public:
    std::vector<std::string> events;
    bool onOtherThread = false;
    std::thread::id mainThread = std::this_thread::get_id();

    void selectionChanged(bool noSelection, bool anyOccupied) override
    {
        note(std::string("selection ") + (noSelection ? "none" : "some") + (anyOccupied ? " occupied" : ""));
    }

    void blockPicked(const std::optional<Material>& material) override
    {
        note(material ? "picked " + material->textureName : "picked nothing");
    }

    void historyRequested(HistoryStep step) override { note(step == HistoryStep::Undo ? "undo" : "redo"); }

private:
    void note(const std::string& event)
    {
        onOtherThread = onOtherThread || std::this_thread::get_id() != mainThread;
        events.push_back(event);
    }
};

// What the view thread sends for report i; the recorder's note of it.
std::string send(ViewListener& relay, int i)
{
    switch (i % 3) {
    case 0: {
        Material m;
        m.textureName = "Textures/" + std::to_string(i);
        relay.blockPicked(m); // the copy must outlive the caller's material
        return "picked Textures/" + std::to_string(i);
    }
    case 1:
        relay.blockPicked(std::nullopt);
        return "picked nothing";
    default:
        relay.selectionChanged(i % 2 == 0, i % 4 == 1);
        return std::string("selection ") + (i % 2 == 0 ? "none" : "some") + (i % 4 == 1 ? " occupied" : "");
    }
}

void pumpUntil(const std::function<bool()>& done)
{
    auto deadline = std::chrono::steady_clock::now() + 30s;
    while (!done() && std::chrono::steady_clock::now() < deadline)
        Fl::wait(0.05);
}

} // namespace

TEST(ViewEventRelay, DeliversEveryReportInOrderOnTheMainThreadWithoutHoldingUpTheSender)
{
    ViewEventRelay relay;
    Recorder recorder;
    relay.connect(&recorder);
    constexpr int Count = 3000;
    auto sender = std::async(std::launch::async, [&] {
        std::vector<std::string> sent;
        for (int i = 0; i < Count; ++i)
            sent.push_back(send(relay, i));
        return sent;
    });
    // The main thread runs no loop yet: a report that waited for it would
    // never finish.
    ASSERT_EQ(sender.wait_for(30s), std::future_status::ready);
    std::vector<std::string> sent = sender.get();
    EXPECT_TRUE(recorder.events.empty()) << "reports arrive only through the main thread's loop";

    pumpUntil([&] { return recorder.events.size() >= sent.size(); });
    EXPECT_EQ(recorder.events, sent);
    EXPECT_FALSE(recorder.onOtherThread);
}

TEST(ViewEventRelay, DropsReportsOnceTheListenerIsGone)
{
    ViewEventRelay relay, sentinel;
    Recorder closedDialog, marker;
    relay.connect(&closedDialog);
    sentinel.connect(&marker);
    std::thread([&] {
        relay.selectionChanged(true, false);
        sentinel.selectionChanged(false, false); // delivered after the first
    }).join();
    relay.connect(nullptr);
    pumpUntil([&] { return !marker.events.empty(); });
    ASSERT_EQ(marker.events.size(), 1u);
    EXPECT_TRUE(closedDialog.events.empty());
}
