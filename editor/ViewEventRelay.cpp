#include "ViewEventRelay.h"

#include <FL/Fl.H>

#include <deque>
#include <functional>
#include <mutex>
#include <utility>

namespace cubrava {

// Shared with the wake-ups in flight, so one that arrives after the relay is
// gone finds its queue still there.
struct ViewEventRelay::Queue {
    std::mutex mutex;
    std::deque<std::function<void(ViewListener&)>> events;
    bool wakePending = false;
    ViewListener* listener = nullptr; // main thread only

    void post(std::function<void(ViewListener&)> event, const std::shared_ptr<Queue>& self);
    static void deliver(void* data);
};

namespace {

using Handle = std::shared_ptr<ViewEventRelay::Queue>;

std::once_flag threadSupport;

} // namespace

// One wake-up at a time: later events join the queue it will deliver.
void ViewEventRelay::Queue::post(std::function<void(ViewListener&)> event, const std::shared_ptr<Queue>& self)
{
    {
        std::lock_guard<std::mutex> lock(mutex);
        events.push_back(std::move(event));
        if (wakePending)
            return;
        wakePending = true;
    }
    auto handle = std::make_unique<Handle>(self);
    if (Fl::awake(&Queue::deliver, handle.get()) == 0) {
        handle.release(); // the main thread takes it in deliver
        return;
    }
    // The toolkit's ring is full: the next event tries again.
    std::lock_guard<std::mutex> lock(mutex);
    wakePending = false;
}

void ViewEventRelay::Queue::deliver(void* data)
{
    std::unique_ptr<Handle> handle(static_cast<Handle*>(data));
    Queue& queue = **handle;
    std::deque<std::function<void(ViewListener&)>> batch;
    {
        std::lock_guard<std::mutex> lock(queue.mutex);
        batch.swap(queue.events);
        queue.wakePending = false;
    }
    for (auto& event : batch)
        if (queue.listener)
            event(*queue.listener);
}

ViewEventRelay::ViewEventRelay()
    : queue_(std::make_shared<Queue>())
{
    // The toolkit's wake-up channel exists once its lock has been taken on
    // the main thread; its loop lets go of the lock while it waits.
    std::call_once(threadSupport, [] { Fl::lock(); });
}

ViewEventRelay::~ViewEventRelay()
{
    queue_->listener = nullptr;
}

void ViewEventRelay::connect(ViewListener* listener)
{
    queue_->listener = listener;
}

void ViewEventRelay::selectionChanged(bool noSelection, bool anyOccupied)
{
    queue_->post([=](ViewListener& l) { l.selectionChanged(noSelection, anyOccupied); }, queue_);
}

void ViewEventRelay::blockPicked(const std::optional<Material>& material)
{
    queue_->post([copy = material](ViewListener& l) { l.blockPicked(copy); }, queue_);
}

} // namespace cubrava
