// The frame loop's clock: readings in whole milliseconds and sleeps to an
// absolute reading, with targets behind it (or half the 32-bit range away)
// returning at once.
#include <gtest/gtest.h>

#include "platform/monotonic_clock.h"

TEST(MonotonicClock, SleepsToAnAbsoluteReadingOnlyWhenItIsAhead) {
    platform::MonotonicClock clock;
    const uint32_t start = clock.Milliseconds();
    EXPECT_LT(start, 1000u); // counted from the clock's making
    for (const uint32_t behind : {start, start - 1, start - 5000, start + 0x80000000u}) {
        EXPECT_EQ(clock.SleepUntil(behind), -1) << behind - start;
    }
    const int64_t late = clock.SleepUntil(start + 15);
    EXPECT_GE(late, 0);
    EXPECT_GE(clock.Milliseconds() - start, 15u);
}
