#pragma once

#include <condition_variable>
#include <exception>
#include <mutex>
#include <thread>
#include <vector>

namespace cubrava {

// A recursive lock that its owner can also set down completely for a while,
// to wait for another thread that needs it, and pick up again at the same
// depth. Usable with std::lock_guard.
class ReentrantLock {
public:
    void lock();
    void unlock();

    // Releases every level the calling thread holds; returns how many.
    int releaseAll();
    // Takes the lock again that many times (nothing for 0).
    void reacquire(int depth);
    // Instead of taking it again: the calling thread's next unlocks, as many
    // as it had released, do nothing. For leaving by an exception while
    // another thread may keep the lock for good.
    void forgo(int depth);

private:
    std::mutex mutex_;
    std::condition_variable freed_;
    std::thread::id owner_;
    int depth_ = 0;
    std::vector<std::thread::id> forgone_; // one entry per unlock to ignore
};

// Sets the lock down for the lifetime of the guard. Left by an exception, it
// does not wait to take the lock back: the guards above it then unlock nothing.
class LockReleased {
public:
    explicit LockReleased(ReentrantLock& lock)
        : lock_(lock)
        , depth_(lock.releaseAll())
        , exceptions_(std::uncaught_exceptions())
    {
    }
    ~LockReleased()
    {
        if (std::uncaught_exceptions() > exceptions_)
            lock_.forgo(depth_);
        else
            lock_.reacquire(depth_);
    }
    LockReleased(const LockReleased&) = delete;
    LockReleased& operator=(const LockReleased&) = delete;

private:
    ReentrantLock& lock_;
    int depth_;
    int exceptions_;
};

} // namespace cubrava
