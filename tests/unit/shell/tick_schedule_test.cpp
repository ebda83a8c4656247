// SPDX-License-Identifier: GPL-3.0-or-later
// When the next tick comes: just after the next minute boundary, every
// 450 ms while a wallpaper minute fails.

#include "shell/tick_schedule.h"

#include <gtest/gtest.h>

namespace {

TDateTime At(int h, int m, int s, int ms)
{
    return EncodeDate(2026, 12, 7) + EncodeTime(h, m, s, ms);
}

TDateTime PlusMs(TDateTime t, long long ms)
{
    return t + static_cast<double>(ms) / kMsPerDay;
}

TEST(TickSchedule, DelayFromAnyMomentEndsJustAfterTheBoundary)
{
    struct Case {
        int s, ms;
        int delay;  // expected
    } cases[] = {
        {0, 0, 60010},    {0, 10, 60000},                   // the boundary tick itself: a whole minute on
        {29, 990, 30020}, {45, 500, 14510}, {59, 999, 11},  // a timer that fired a hair early
        {59, 0, 1010},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.s << "." << c.ms);
        EXPECT_EQ(NextTickDelayMs(At(14, 7, c.s, c.ms), At(14, 7, c.s, c.ms), false), c.delay);
    }
}

// Follows the schedule from every start second for three minutes: every
// minute boundary is seen within a few milliseconds, and an idle clock ticks
// once a minute.
TEST(TickSchedule, TicksSeeEveryMinuteSoonAndStayFew)
{
    for (int startMs = 0; startMs < 60000; startMs += 997) {
        TDateTime t = PlusMs(At(23, 58, 0, 0), startMs);
        int ticks = 0;
        long long sinceStart = 0;
        int lastMinute = DecodeTime(t).minute;
        while (sinceStart < 180000) {
            const int delay = NextTickDelayMs(t, t, false);
            ASSERT_GT(delay, 0);
            ASSERT_LE(delay, 60000 + kTickAfterBoundaryMs);
            t = PlusMs(t, delay);
            sinceStart += delay;
            ++ticks;
            const TimeParts p = DecodeTime(t);
            ASSERT_NE(p.minute, lastMinute) << startMs;  // no tick without a new minute
            EXPECT_EQ(p.second, 0) << startMs;
            EXPECT_LE(p.millisecond, kTickAfterBoundaryMs) << startMs;
            lastMinute = p.minute;
        }
        EXPECT_LE(ticks, 4) << startMs;  // three minutes
    }
}

// The clock is set while the tick waits and no notice comes: the tick
// still comes within a minute, and from the time it then reads the next
// minute is seen on its boundary.
TEST(TickSchedule, AClockSetWithoutNoticeIsFollowedFromTheNextTick)
{
    constexpr int kLongest = 60000 + kTickAfterBoundaryMs;
    for (const long long jump : {-3600000LL, -61000LL, -5LL, 5LL, 59000LL, 86400000LL}) {
        SCOPED_TRACE(jump);
        TDateTime t = At(10, 0, 0, 10);
        const int first = NextTickDelayMs(t, t, false);
        EXPECT_LE(first, kLongest);
        t = PlusMs(t, first + jump);
        const int minute = DecodeTime(t).minute;
        long long waited = 0;
        while (DecodeTime(t).minute == minute) {
            const int delay = NextTickDelayMs(t, t, false);
            ASSERT_LE(delay, kLongest);
            t = PlusMs(t, delay);
            waited += delay;
        }
        EXPECT_LE(waited, kLongest);
        EXPECT_EQ(DecodeTime(t).second, 0);
        EXPECT_LE(DecodeTime(t).millisecond, kTickAfterBoundaryMs);
    }
}

// A tick whose work (a slow wallpaper change) runs into the next minute: the
// next tick comes at once, so the face shows that minute without waiting for
// the one after it. Work that ends within its minute waits for the boundary.
TEST(TickSchedule, AMinuteThatBeganDuringTheWorkIsShownAtOnce)
{
    struct Case {
        int s, ms;       // the tick began at 10:14:s.ms
        long long work;  // milliseconds the work took
        bool retrying;
        int delay;  // expected
    } cases[] = {
        {57, 0, 4000, false, 0},     {57, 0, 4000, true, 0},
        {59, 999, 2, false, 0},      {0, 10, 65000, false, 0},  // a whole minute and more
        {57, 0, 2000, false, 1010},  {57, 0, 2000, true, 450},  // ended before the boundary
        {0, 10, 59000, false, 1000},                            // the same minute, late in it
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.s << "." << c.ms << " +" << c.work);
        const TDateTime started = At(10, 14, c.s, c.ms);
        EXPECT_EQ(NextTickDelayMs(started, PlusMs(started, c.work), c.retrying), c.delay);
    }
}

TEST(TickSchedule, AFailingWallMinuteRetriesEvery450MsUntilItEnds)
{
    TDateTime t = At(10, 7, 55, 300);
    int tries = 0;
    while (DecodeTime(t).minute == 7) {
        const int delay = NextTickDelayMs(t, t, true);
        EXPECT_LE(delay, kRetryTickMs);
        t = PlusMs(t, delay);
        ++tries;
    }
    // 4.7 s left in the minute: ten tries at 450 ms, the last one cut to
    // end just after the boundary.
    EXPECT_EQ(tries, 11);
    EXPECT_EQ(DecodeTime(t).second, 0);
    EXPECT_EQ(DecodeTime(t).millisecond, kTickAfterBoundaryMs);
}

}  // namespace
