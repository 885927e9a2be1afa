#pragma once

#include <functional>
#include <memory>

namespace cubrava {

// Hands work from any thread to the toolkit's thread without waiting for it:
// each piece is queued, and the toolkit's loop runs the queue in order. Work
// still queued when the queue is destroyed is dropped, so it may refer to
// whatever owns the queue.
//
// Create and destroy it on the toolkit's (main) thread; post from any thread.
class MainThreadQueue {
public:
    MainThreadQueue();
    ~MainThreadQueue();
    MainThreadQueue(const MainThreadQueue&) = delete;
    MainThreadQueue& operator=(const MainThreadQueue&) = delete;

    void post(std::function<void()> work);

    struct State;

private:
    std::shared_ptr<State> state_;
};

} // namespace cubrava
