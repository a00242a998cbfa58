#include <gtest/gtest.h>

#include "core/lock/restart_pace.h"

using std::chrono::milliseconds;

// Five starts at once, then one every two seconds for as long as the helper
// keeps dying; a quiet spell of ten seconds gives the quick starts back.
TEST(RestartPace, QuickStartsThenOneEveryTwoSeconds) {
    RestartPace pace;
    auto now = RestartPace::Clock::time_point{} + milliseconds(100000);
    for (int start = 0; start < RestartPace::kQuickStarts; ++start) {
        EXPECT_EQ(pace.Delay(now), milliseconds(0));
        pace.Started(now);
        now += milliseconds(10);
    }
    for (int start = 0; start < 10; ++start) {
        const milliseconds delay = pace.Delay(now);
        EXPECT_GT(delay, milliseconds(1900));
        EXPECT_LE(delay, milliseconds(2000));
        now += delay;
        EXPECT_EQ(pace.Delay(now), milliseconds(0));
        pace.Started(now);
        now += milliseconds(10);
    }
    now += milliseconds(10000);
    EXPECT_EQ(pace.Delay(now), milliseconds(0));
    pace.Reset();
    for (int start = 0; start < RestartPace::kQuickStarts; ++start)
        pace.Started(now);
    EXPECT_EQ(pace.Delay(now), milliseconds(2000));
}
