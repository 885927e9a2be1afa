#pragma once

#include "MainThreadQueue.h"
#include "editor/dialog/ViewListener.h"

namespace cubrava {

// Carries the view's reports from the view thread to the toolkit's thread:
// each call is copied and queued, and the toolkit's loop delivers the queue
// in order to the connected listener. A caller never waits for the main
// thread, so the view may call while holding its lock.
//
// Create it on the main thread and keep it as long as the view may call it
// (it is registered with the view, which keeps a reference).
class ViewEventRelay : public ViewListener {
public:
    ViewEventRelay() = default;
    ViewEventRelay(const ViewEventRelay&) = delete;
    ViewEventRelay& operator=(const ViewEventRelay&) = delete;

    // Main thread only. Reports delivered while none is connected are dropped.
    void connect(ViewListener* listener) { listener_ = listener; }

    // Any thread.
    void selectionChanged(bool noSelection, bool anyOccupied) override;
    void blockPicked(const std::optional<Material>& material) override;
    void historyRequested(HistoryStep step) override;

private:
    ViewListener* listener_ = nullptr; // main thread only
    // Declared last: gone first, so nothing is delivered to a relay being destroyed.
    MainThreadQueue queue_;
};

} // namespace cubrava
