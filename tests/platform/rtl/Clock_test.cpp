#include "platform/rtl/Clock.h"

#include <gtest/gtest.h>

TEST(Clock, TicksBetweenSurvivesTheWrap) {
    struct Case {
        uint32_t start, now, expected;
    };
    const Case cases[] = {
        {100, 250, 150},
        {0xFFFFFFF0u, 0x10u, 0x20u}, // counter wrapped between the two reads
        {0xFFFFFFFFu, 0u, 1u},
        {5, 5, 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(TicksBetween(c.start, c.now), c.expected) << c.start << " -> " << c.now;
}

TEST(Clock, SleepLetsTheClockAdvance) {
    const uint32_t start = GetTickCount();
    Sleep(30);
    EXPECT_GE(TicksSince(start), 30u);
    EXPECT_TRUE(TicksElapsed(start, 30));
    EXPECT_FALSE(TicksElapsed(GetTickCount(), 60000));
}
