#include "render/RedisplayRequest.h"

#include <gtest/gtest.h>

using namespace cubrava;

TEST(RedisplayRequest, RequestsBetweenTwoDisplaysWakeTheViewOnce)
{
    int wakes = 0;
    RedisplayRequest redisplay([&] {
        ++wakes;
        return true;
    });
    redisplay.request();
    redisplay.request();
    redisplay.request();
    EXPECT_EQ(wakes, 1);
    EXPECT_TRUE(redisplay.pending());

    EXPECT_TRUE(redisplay.take()); // the display it brought
    EXPECT_FALSE(redisplay.take());
    redisplay.request();
    EXPECT_EQ(wakes, 2);
}

TEST(RedisplayRequest, AWakeThatCouldNotBeSentIsTriedAgainByTheNextRequest)
{
    bool windowExists = false;
    int attempts = 0;
    RedisplayRequest redisplay([&] {
        ++attempts;
        return windowExists;
    });
    redisplay.request();
    EXPECT_FALSE(redisplay.pending());
    windowExists = true;
    redisplay.request();
    EXPECT_EQ(attempts, 2);
    EXPECT_TRUE(redisplay.pending());
}
