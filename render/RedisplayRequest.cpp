#include "RedisplayRequest.h"

#include <utility>

namespace cubrava {

RedisplayRequest::RedisplayRequest(std::function<bool()> wake)
    : wake_(std::move(wake))
{
}

void RedisplayRequest::request()
{
    // A wake-up is on its way and the display it brings draws this change too.
    if (wanted_.exchange(true))
        return;
    // None could be sent (no window yet, or it is gone): let the next request
    // try again. A window that appears later draws everything anyway.
    if (!wake_ || !wake_())
        wanted_.store(false);
}

bool RedisplayRequest::take()
{
    return wanted_.exchange(false);
}

} // namespace cubrava
