#include "ReentrantLock.h"

#include <algorithm>

namespace cubrava {

void ReentrantLock::lock()
{
    const auto me = std::this_thread::get_id();
    std::unique_lock<std::mutex> guard(mutex_);
    if (depth_ > 0 && owner_ == me) {
        ++depth_;
        return;
    }
    freed_.wait(guard, [this] { return depth_ == 0; });
    owner_ = me;
    depth_ = 1;
}

void ReentrantLock::unlock()
{
    const auto me = std::this_thread::get_id();
    std::lock_guard<std::mutex> guard(mutex_);
    auto forgone = std::find(forgone_.begin(), forgone_.end(), me);
    if (forgone != forgone_.end()) {
        forgone_.erase(forgone);
        return;
    }
    if (--depth_ == 0) {
        owner_ = std::thread::id();
        freed_.notify_one();
    }
}

int ReentrantLock::releaseAll()
{
    std::lock_guard<std::mutex> guard(mutex_);
    if (depth_ == 0 || owner_ != std::this_thread::get_id())
        return 0;
    const int held = depth_;
    depth_ = 0;
    owner_ = std::thread::id();
    freed_.notify_one();
    return held;
}

void ReentrantLock::reacquire(int depth)
{
    if (depth <= 0)
        return;
    std::unique_lock<std::mutex> guard(mutex_);
    freed_.wait(guard, [this] { return depth_ == 0; });
    owner_ = std::this_thread::get_id();
    depth_ = depth;
}

void ReentrantLock::forgo(int depth)
{
    std::lock_guard<std::mutex> guard(mutex_);
    forgone_.insert(forgone_.end(), static_cast<std::size_t>(std::max(depth, 0)), std::this_thread::get_id());
}

} // namespace cubrava
