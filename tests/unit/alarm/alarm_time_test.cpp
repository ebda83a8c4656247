// SPDX-License-Identifier: GPL-3.0-or-later
#include "alarm/alarm_time.h"
#include "base/zelvaro_error.h"

#include <gtest/gtest.h>

namespace {

TDateTime At(int hour, int minute, int second = 0)
{
    return EncodeDate(2026, 12, 7) + EncodeTime(hour, minute, second);
}

TEST(AlarmHourRule, DialAndHourOfDayAgreeBothWaysForEveryHour)
{
    for (int h = 0; h < 24; ++h) {
        const AlarmDial dial = AlarmDialFromHourOfDay(h);
        EXPECT_GE(dial.Hour, 1) << h;
        EXPECT_LE(dial.Hour, 12) << h;
        EXPECT_EQ(AlarmHourOfDay(dial.Hour, dial.AmPm), h) << h;
    }
    // The program's own rule: 12 am is noon, 12 pm midnight.
    EXPECT_EQ(AlarmHourOfDay(12, TAmPm::am), 12);
    EXPECT_EQ(AlarmHourOfDay(12, TAmPm::pm), 0);
    EXPECT_EQ(AlarmHourOfDay(1, TAmPm::pm), 13);
    EXPECT_EQ(AlarmHourOfDay(11, TAmPm::am), 11);
    EXPECT_EQ(AlarmDialFromHourOfDay(0).AmPm, TAmPm::pm);
    EXPECT_EQ(AlarmDialFromHourOfDay(12).AmPm, TAmPm::am);
    EXPECT_EQ(AlarmDialFromHourOfDay(15).Hour, 3);
}

TEST(AlarmDue, MatchesTheWholeMinuteAndNotTheOtherHalfOfTheDay)
{
    EXPECT_TRUE(AlarmDue(7, 30, TAmPm::am, At(7, 30, 0)));
    EXPECT_TRUE(AlarmDue(7, 30, TAmPm::am, At(7, 30, 40)));
    EXPECT_TRUE(AlarmDue(7, 30, TAmPm::am, At(7, 30, 59)));
    EXPECT_FALSE(AlarmDue(7, 30, TAmPm::am, At(7, 29, 59)));
    EXPECT_FALSE(AlarmDue(7, 30, TAmPm::am, At(7, 31, 0)));
    EXPECT_FALSE(AlarmDue(7, 30, TAmPm::am, At(19, 30, 0)));
    EXPECT_TRUE(AlarmDue(12, 5, TAmPm::am, At(12, 5)));
    EXPECT_FALSE(AlarmDue(12, 5, TAmPm::am, At(0, 5)));
    EXPECT_TRUE(AlarmDue(12, 5, TAmPm::pm, At(0, 5)));
    EXPECT_TRUE(AlarmDue(1, 0, TAmPm::pm, At(13, 0, 30)));
    // No date is kept: any day matches.
    EXPECT_TRUE(AlarmDue(7, 30, TAmPm::am, At(7, 30) + 365));
    // A moment a hair before the minute, rounded to the millisecond, belongs to it.
    EXPECT_TRUE(AlarmDue(7, 30, TAmPm::am, At(7, 30) - 0.0000001 / kMsPerDay));
}

TEST(AlarmChecks, RangeErrorsCarryTheirMessages)
{
    for (int bad : {0, 13, -1, 65535}) {
        try {
            CheckAlarmHour(bad);
            ADD_FAILURE() << bad;
        } catch (const ZelvaroError& e) {
            EXPECT_STREQ(e.what(), "Invalid value entered for Hour");
        }
    }
    for (int good = 1; good <= 12; ++good)
        EXPECT_NO_THROW(CheckAlarmHour(good));
    EXPECT_THROW(CheckAlarmMinute(60), ZelvaroError);
    EXPECT_THROW(CheckAlarmMinute(-1), ZelvaroError);
    EXPECT_NO_THROW(CheckAlarmMinute(59));
    EXPECT_NO_THROW(CheckAlarmMinute(0));
    try {
        CheckAlarmMinute(60);
    } catch (const ZelvaroError& e) {
        EXPECT_STREQ(e.what(), "Invalid value entered for Minute");
    }
}

void ExpectHourMinute(HourMinute got, int hour, int minute)
{
    EXPECT_EQ(got.hour, hour);
    EXPECT_EQ(got.minute, minute);
}

TEST(AddMinutesToNow, CarriesOverTheHourAndMidnightAndCutsTheSeconds)
{
    ExpectHourMinute(AddMinutesToNow(At(10, 58, 45), 3), 11, 1);
    ExpectHourMinute(AddMinutesToNow(At(23, 50, 0), 30), 0, 20);
    ExpectHourMinute(AddMinutesToNow(At(22, 30, 10), 180), 1, 30);
    ExpectHourMinute(AddMinutesToNow(At(23, 45, 30), 30), 0, 15);
    ExpectHourMinute(AddMinutesToNow(At(9, 0, 59), 5), 9, 5);
    ExpectHourMinute(AddMinutesToNow(At(9, 0, 59), 60), 10, 0);
    ExpectHourMinute(AddMinutesToNow(At(23, 59, 59), 120), 1, 59);
    // The last second of the day plus a minute is still a valid time of day.
    ExpectHourMinute(AddMinutesToNow(At(23, 59, 59) + 999.0 / kMsPerDay, 3), 0, 2);
    ExpectHourMinute(HourMinuteOf(At(18, 7, 59)), 18, 7);
}

TEST(AlarmTimeText, DialHourAndMinuteUnpadded)
{
    EXPECT_EQ(AlarmTimeText(1, 5), "1時5分です");
    EXPECT_EQ(AlarmTimeText(12, 0), "12時0分です");
    EXPECT_EQ(AlarmTimeText(12, 30), "12時30分です");
    const AlarmDial midnight = AlarmDialFromHourOfDay(0);
    const AlarmDial noon = AlarmDialFromHourOfDay(12);
    EXPECT_EQ(AlarmTimeText(midnight.Hour, 0), AlarmTimeText(noon.Hour, 0));
}

}  // namespace
