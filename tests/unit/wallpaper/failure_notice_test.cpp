// SPDX-License-Identifier: GPL-3.0-or-later
// The rotation tells the first failure of each minute and logs the rest.
#include "wallpaper/failure_notice_rule.h"

#include <gtest/gtest.h>

TEST(FailureNoticeRule, FirstFailureOfEachMinuteIsShown)
{
    const TDateTime day = EncodeDate(2026, 12, 7);
    struct Try {
        TDateTime at;
        bool shown;
    };
    // Tries every 450 ms through 10:07, the next minute, the same minute an
    // hour later, and a time a hair under 10:09:00.
    const Try tries[] = {
        {day + EncodeTime(10, 7, 0, 20), true},        {day + EncodeTime(10, 7, 0, 470), false},
        {day + EncodeTime(10, 7, 59, 990), false},     {day + EncodeTime(10, 8, 0, 10), true},
        {day + EncodeTime(10, 8, 30, 0), false},       {day + EncodeTime(11, 8, 0, 0), true},
        {day + EncodeTime(10, 9, 0, 0) - 1e-10, true}, {day + EncodeTime(10, 9, 0, 300), false},
        {day + 1 + EncodeTime(10, 9, 0, 300), true},
    };
    FailureNoticeRule rule;
    for (const Try& t : tries)
        EXPECT_EQ(rule.ShowFailure(t.at), t.shown) << t.at;
}

TEST(FailureNoticeRule, EachFileIsLoggedAndBoxedOnceADay)
{
    const TDateTime day = EncodeDate(2026, 12, 7);
    FailureNoticeRule rule;
    struct Try {
        const char* file;
        TDateTime at;
        bool told;
    };
    const Try tries[] = {
        {"/p/a.jpg", day + EncodeTime(10, 0), true},    {"/p/a.jpg", day + EncodeTime(10, 0, 1), false},
        {"/p/b.jpg", day + EncodeTime(10, 0, 1), true}, {"/p/a.jpg", day + EncodeTime(23, 59, 59), false},
        {"/p/a.jpg", day + 1 + EncodeTime(0, 0), true}, {"/p/b.jpg", day + 1 + EncodeTime(0, 0, 1), true},
    };
    for (const Try& t : tries) {
        EXPECT_EQ(rule.LogToday(t.file, t.at), t.told) << t.file << " " << t.at;
        EXPECT_EQ(rule.BoxedToday(t.file, t.at), !t.told) << t.file << " " << t.at;
        rule.MarkBoxed(t.file, t.at);
    }
}
