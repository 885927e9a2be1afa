#include "platform/ImageFailures.h"

#include "platform/MessageBox.h"

#include <algorithm>
#include <deque>
#include <mutex>
#include <optional>
#include <utility>

namespace cubrava {

namespace {

struct Queue {
    std::mutex mutex;
    std::deque<ImageFailure> waiting;
    std::optional<ImageFailure> showing;
    bool draining = false;
    std::function<void()> notify;
};

Queue& queue()
{
    static Queue instance;
    return instance;
}

} // namespace

void reportImageFailure(const std::string& path, const std::string& text)
{
    Queue& q = queue();
    std::function<void()> notify;
    {
        std::lock_guard<std::mutex> lock(q.mutex);
        ImageFailure failure { path, text };
        // A broken texture is tried again on every draw that needs it: one box
        // at a time is enough.
        if (q.showing == failure || std::find(q.waiting.begin(), q.waiting.end(), failure) != q.waiting.end())
            return;
        q.waiting.push_back(std::move(failure));
        notify = q.notify;
    }
    if (notify)
        notify();
}

std::vector<ImageFailure> takeImageFailures()
{
    Queue& q = queue();
    std::lock_guard<std::mutex> lock(q.mutex);
    std::vector<ImageFailure> taken(q.waiting.begin(), q.waiting.end());
    q.waiting.clear();
    return taken;
}

void showImageFailures(const std::function<void(const ImageFailure&)>& show)
{
    Queue& q = queue();
    {
        std::lock_guard<std::mutex> lock(q.mutex);
        if (q.draining)
            return;
        q.draining = true;
    }
    for (;;) {
        ImageFailure next;
        {
            std::lock_guard<std::mutex> lock(q.mutex);
            if (q.waiting.empty()) {
                q.showing.reset();
                q.draining = false;
                return;
            }
            next = std::move(q.waiting.front());
            q.waiting.pop_front();
            q.showing = next;
        }
        try {
            show(next);
        } catch (...) {
            std::lock_guard<std::mutex> lock(q.mutex);
            q.showing.reset();
            q.draining = false;
            throw;
        }
    }
}

void showImageFailureBox(const ImageFailure& failure)
{
    showMessage("Error", failure.text, MessageIcon::Error);
}

void showImageFailures()
{
    showImageFailures(showImageFailureBox);
}

void setImageFailureNotifier(std::function<void()> notify)
{
    Queue& q = queue();
    std::lock_guard<std::mutex> lock(q.mutex);
    q.notify = std::move(notify);
}

} // namespace cubrava
