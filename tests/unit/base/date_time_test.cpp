// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/date_time.h"

#include <gtest/gtest.h>

TEST(DateTime, EncodeAndDecodeRoundTripAcrossTheCalendar)
{
    EXPECT_EQ(EncodeDate(1899, 12, 30), 0);
    EXPECT_EQ(EncodeDate(1900, 1, 1), 2);
    EXPECT_EQ(EncodeDate(2000, 1, 1), 36526);
    EXPECT_EQ(EncodeDate(1, 1, 1), -693593);
    EXPECT_EQ(EncodeDate(9999, 12, 31), 2958465);
    for (int y : {1, 4, 100, 1582, 1899, 1900, 2000, 2024, 9999}) {
        for (int m = 1; m <= 12; ++m) {
            const DateParts d = DecodeDate(EncodeDate(y, m, 28));
            EXPECT_EQ(d.year, y);
            EXPECT_EQ(d.month, m);
            EXPECT_EQ(d.day, 28);
        }
    }
    // Before 1899 the day part is truncated and the time is the absolute fraction.
    const TDateTime t = EncodeDateTime({1899, 12, 29}, {6, 0, 0, 0});
    EXPECT_DOUBLE_EQ(t, -1.25);
    EXPECT_EQ(DecodeDate(t).day, 29);
    EXPECT_EQ(DecodeTime(t).hour, 6);
}

TEST(DateTime, DecodeTimeRoundsToTheMillisecond)
{
    const TimeParts t = DecodeTime(EncodeTime(10, 0, 0));
    EXPECT_EQ(t.hour, 10);
    EXPECT_EQ(t.minute, 0);
    EXPECT_EQ(t.second, 0);
    // A value a hair below midnight carries into the next day, not hour 24.
    const TDateTime almost = EncodeDate(2026, 12, 7) + 0.99999999999;
    EXPECT_EQ(DecodeTime(almost).hour, 0);
    EXPECT_EQ(DecodeDate(almost).day, 8);
    const TimeParts ms = DecodeTime(EncodeTime(23, 59, 59, 999));
    EXPECT_EQ(ms.hour, 23);
    EXPECT_EQ(ms.millisecond, 999);
}

TEST(DateTime, DayOfWeekFollowsTheWeek)
{
    EXPECT_EQ(DayOfWeek(EncodeDate(1899, 12, 30)), 6);  // Saturday
    EXPECT_EQ(DayOfWeek(EncodeDate(2026, 12, 7)), 1);   // Monday
    EXPECT_EQ(DayOfWeek(EncodeDate(1, 1, 1)), 1);       // Monday, proleptic
    EXPECT_EQ(DayOfWeek(EncodeDate(1899, 12, 24)), 0);  // a Sunday before the epoch
}

TEST(DateTime, ClockTextUsesTheTwelveHourFace)
{
    const TDateTime day = EncodeDate(2026, 12, 7);
    EXPECT_EQ(ClockText(day + EncodeTime(0, 5)), "12:05 am");
    EXPECT_EQ(ClockText(day + EncodeTime(9, 30)), "09:30 am");
    EXPECT_EQ(ClockText(day + EncodeTime(11, 59, 59)), "11:59 am");
    EXPECT_EQ(ClockText(day + EncodeTime(12, 0)), "12:00 pm");
    EXPECT_EQ(ClockText(day + EncodeTime(23, 59)), "11:59 pm");
    EXPECT_EQ(ClockText(day), "12:00 am");
    // The 24-hour face: two-digit hours from 00 to 23.
    EXPECT_EQ(ClockText(day, true), "00:00");
    EXPECT_EQ(ClockText(day + EncodeTime(9, 5), true), "09:05");
    EXPECT_EQ(ClockText(day + EncodeTime(12, 0), true), "12:00");
    EXPECT_EQ(ClockText(day + EncodeTime(23, 59, 59), true), "23:59");
}

TEST(DateTime, DateHintNamesTheWeekday)
{
    const std::vector<std::string> names = {"日", "月", "火", "水", "木", "金", "土"};
    EXPECT_EQ(DateHintText(EncodeDate(2026, 12, 7) + 0.75, names), "2026/12/07 (月)");
    EXPECT_EQ(DateHintText(EncodeDate(1998, 3, 1), {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"}),
              "1998/03/01 (Sun)");
}

TEST(DateTime, SettingsTimeTextAndParserAgree)
{
    EXPECT_EQ(SettingsTimeText(30 / kMinutesPerDay), "0:30:00");
    EXPECT_EQ(SettingsTimeText(65 / kMinutesPerDay), "1:05:00");
    EXPECT_EQ(SettingsTimeText(EncodeTime(23, 59, 58)), "23:59:58");
    EXPECT_EQ(SettingsTimeText(0), "0:00:00");
    for (int m = 0; m < 1440; m += 7) {
        const TDateTime t = EncodeTime(m / 60, m % 60, m % 60);
        const auto back = ParseTimeText(SettingsTimeText(t));
        ASSERT_TRUE(back.has_value());
        EXPECT_EQ(SettingsTimeText(*back), SettingsTimeText(t));
    }
}

TEST(DateTime, ParserAcceptsTimesAndRejectsTheRest)
{
    EXPECT_EQ(ParseTimeText("00:00:00"), 0.0);
    EXPECT_DOUBLE_EQ(*ParseTimeText("00:30:00"), 30 / kMinutesPerDay);
    EXPECT_DOUBLE_EQ(*ParseTimeText("0:30:00"), 30 / kMinutesPerDay);
    EXPECT_DOUBLE_EQ(*ParseTimeText("0:30"), 30 / kMinutesPerDay);
    EXPECT_DOUBLE_EQ(*ParseTimeText(" 17:05 "), EncodeTime(17, 5));
    EXPECT_DOUBLE_EQ(*ParseTimeText("7:05 PM"), EncodeTime(19, 5));
    EXPECT_DOUBLE_EQ(*ParseTimeText("7:05:30pm"), EncodeTime(19, 5, 30));
    EXPECT_DOUBLE_EQ(*ParseTimeText("12:00 AM"), 0.0);
    EXPECT_DOUBLE_EQ(*ParseTimeText("12:00 PM"), 0.5);
    EXPECT_DOUBLE_EQ(*ParseTimeText("AM 9:15"), EncodeTime(9, 15));
    for (const char* bad : {"", "abc", "12", "24:00:00", "10:60", "10:00:60", "13:00 PM", "1:2:3:4", "1::2", ":30",
                            "10:00 XM", "10:30:", "123:00", "-1:00", "10.30"}) {
        EXPECT_FALSE(ParseTimeText(bad).has_value()) << bad;
    }
}
