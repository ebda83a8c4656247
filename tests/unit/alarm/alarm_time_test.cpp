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

// The dialog's 0..23 hour and the face's am/pm: the echo beside the fields
// must name the half of the day in which the alarm will ring, in the form the
// face shows at that moment.
TEST(AlarmEchoText, EveryHourOfTheDayIn12And24HourTime)
{
    struct Row {
        int hourOfDay;
        const char* face12;
        const char* face24;
    };
    const Row rows[] = {
        {0, "12:14 am", "00:14"},  {1, "01:14 am", "01:14"},  {2, "02:14 am", "02:14"},  {3, "03:14 am", "03:14"},
        {4, "04:14 am", "04:14"},  {5, "05:14 am", "05:14"},  {6, "06:14 am", "06:14"},  {7, "07:14 am", "07:14"},
        {8, "08:14 am", "08:14"},  {9, "09:14 am", "09:14"},  {10, "10:14 am", "10:14"}, {11, "11:14 am", "11:14"},
        {12, "12:14 pm", "12:14"}, {13, "01:14 pm", "13:14"}, {14, "02:14 pm", "14:14"}, {15, "03:14 pm", "15:14"},
        {16, "04:14 pm", "16:14"}, {17, "05:14 pm", "17:14"}, {18, "06:14 pm", "18:14"}, {19, "07:14 pm", "19:14"},
        {20, "08:14 pm", "20:14"}, {21, "09:14 pm", "21:14"}, {22, "10:14 pm", "22:14"}, {23, "11:14 pm", "23:14"},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(AlarmEchoText(row.hourOfDay, 14, false), row.face12) << row.hourOfDay;
        EXPECT_EQ(AlarmEchoText(row.hourOfDay, 14, true), row.face24) << row.hourOfDay;
        // The setting the dialog stores rings when the face shows the echo.
        const AlarmDial dial = AlarmDialFromHourOfDay(row.hourOfDay);
        const TDateTime rings = At(row.hourOfDay, 14, 30);
        EXPECT_TRUE(AlarmDue(dial.Hour, 14, dial.AmPm, rings)) << row.hourOfDay;
        EXPECT_EQ(ClockText(rings, false), row.face12) << row.hourOfDay;
        EXPECT_EQ(ClockText(rings, true), row.face24) << row.hourOfDay;
    }
    EXPECT_EQ(AlarmEchoText(9, 5, false), "09:05 am");
    EXPECT_EQ(AlarmEchoText(0, 0, true), "00:00");
}

TEST(AlarmTimeText, DialHourAndMinuteUnpaddedThenTheFacesForm)
{
    EXPECT_EQ(AlarmTimeText(1, 5, "01:05 pm"), "1時5分です (01:05 pm)");
    EXPECT_EQ(AlarmTimeText(12, 0, "12:00 am"), "12時0分です (12:00 am)");
    EXPECT_EQ(AlarmTimeText(12, 30, "12:30"), "12時30分です (12:30)");
    // A translation may leave numbers out or change their order.
    EXPECT_EQ(AlarmTimeText(11, 14, "11:14 pm", "%3"), "11:14 pm");
    EXPECT_EQ(AlarmTimeText(11, 14, "23:14", "%3 (%1/%2)"), "23:14 (11/14)");
}

}  // namespace
