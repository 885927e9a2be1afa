// Reports from the view thread reach the dialog on the toolkit's thread, in
// order and complete, and the view thread never waits for them.

#include "editor/widgets/ViewEventRelay.h"
#include "RecordingListener.h"

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

// What the view thread sends for report i; the recorder's words for it.
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
    RecordingListener recorder;
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
    EXPECT_TRUE(recorder.reports.empty()) << "reports arrive only through the main thread's loop";

    pumpUntil([&] { return recorder.reports.size() >= sent.size(); });
    EXPECT_EQ(recorder.reports, sent);
    EXPECT_FALSE(recorder.toldOnAnotherThread);
}

TEST(ViewEventRelay, DropsReportsOnceTheListenerIsGone)
{
    ViewEventRelay relay, sentinel;
    RecordingListener closedDialog, marker;
    relay.connect(&closedDialog);
    sentinel.connect(&marker);
    std::thread([&] {
        relay.selectionChanged(true, false);
        sentinel.selectionChanged(false, false); // delivered after the first
    }).join();
    relay.connect(nullptr);
    pumpUntil([&] { return !marker.reports.empty(); });
    ASSERT_EQ(marker.reports.size(), 1u);
    EXPECT_TRUE(closedDialog.reports.empty());
}
