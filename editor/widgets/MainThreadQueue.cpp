#include "MainThreadQueue.h"

#include <FL/Fl.H>

#include <deque>
#include <mutex>
#include <utility>

namespace cubrava {

// Shared with the wake-ups in flight, so one that arrives after the queue is
// gone finds its state still there.
struct MainThreadQueue::State {
    std::mutex mutex;
    std::deque<std::function<void()>> work;
    bool wakePending = false;
    bool closed = false;

    static void deliver(void* data);
};

namespace {

using Handle = std::shared_ptr<MainThreadQueue::State>;

std::once_flag threadSupport;

} // namespace

void MainThreadQueue::State::deliver(void* data)
{
    std::unique_ptr<Handle> handle(static_cast<Handle*>(data));
    State& state = **handle;
    std::deque<std::function<void()>> batch;
    {
        std::lock_guard<std::mutex> lock(state.mutex);
        batch.swap(state.work);
        state.wakePending = false;
    }
    for (auto& work : batch) {
        // A piece of work may close the queue (its owner gone); the rest is dropped.
        {
            std::lock_guard<std::mutex> lock(state.mutex);
            if (state.closed)
                return;
        }
        work();
    }
}

MainThreadQueue::MainThreadQueue()
    : state_(std::make_shared<State>())
{
    // The toolkit's wake-up channel exists once its lock has been taken on
    // the main thread; its loop lets go of the lock while it waits.
    std::call_once(threadSupport, [] { Fl::lock(); });
}

MainThreadQueue::~MainThreadQueue()
{
    std::deque<std::function<void()>> dropped;
    std::lock_guard<std::mutex> lock(state_->mutex);
    state_->closed = true;
    dropped.swap(state_->work);
}

// One wake-up at a time: later work joins the queue it will deliver.
void MainThreadQueue::post(std::function<void()> work)
{
    {
        std::lock_guard<std::mutex> lock(state_->mutex);
        if (state_->closed)
            return;
        state_->work.push_back(std::move(work));
        if (state_->wakePending)
            return;
        state_->wakePending = true;
    }
    auto handle = std::make_unique<Handle>(state_);
    if (Fl::awake(&State::deliver, handle.get()) == 0) {
        handle.release(); // the main thread takes it in deliver
        return;
    }
    // The toolkit's ring is full: the next post tries again.
    std::lock_guard<std::mutex> lock(state_->mutex);
    state_->wakePending = false;
}

} // namespace cubrava
