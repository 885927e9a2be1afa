#include "GlutTimers.h"

#include <GL/freeglut.h>

#include <climits>
#include <mutex>
#include <unordered_map>
#include <utility>

namespace cubrava {

namespace {

struct Pending {
    std::function<void()> callback;
    std::function<void(std::exception_ptr)> onError;
};

// Timers are process-wide in GLUT, and so is this table. GLUT runs them on
// its own thread only, but the lock keeps arming from elsewhere safe.
struct Registry {
    std::mutex mutex;
    std::unordered_map<int, Pending> pending;
    int next = 0;

    int add(Pending entry)
    {
        std::lock_guard<std::mutex> lock(mutex);
        do {
            next = next == INT_MAX ? 1 : next + 1;
        } while (pending.count(next) != 0);
        pending.emplace(next, std::move(entry));
        return next;
    }

    bool take(int id, Pending& out)
    {
        std::lock_guard<std::mutex> lock(mutex);
        auto found = pending.find(id);
        if (found == pending.end())
            return false;
        out = std::move(found->second);
        pending.erase(found);
        return true;
    }
};

Registry& registry()
{
    static Registry instance;
    return instance;
}

void fire(int id)
{
    Pending entry;
    if (!registry().take(id, entry))
        return;
    try {
        entry.callback();
    } catch (...) {
        if (entry.onError)
            entry.onError(std::current_exception());
        else
            throw;
    }
}

} // namespace

GlutTimers::GlutTimers(std::function<void(std::exception_ptr)> onError)
    : onError_(std::move(onError))
{
}

void GlutTimers::after(unsigned delayMs, std::function<void()> callback)
{
    if (!callback)
        return;
    const int id = registry().add(Pending { std::move(callback), onError_ });
    glutTimerFunc(delayMs, fire, id);
}

std::size_t GlutTimers::pending()
{
    Registry& r = registry();
    std::lock_guard<std::mutex> lock(r.mutex);
    return r.pending.size();
}

} // namespace cubrava
