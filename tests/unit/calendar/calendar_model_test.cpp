// SPDX-License-Identifier: GPL-3.0-or-later
#include "calendar/calendar_model.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

CalendarModel At(int year, int month, int day)
{
    return CalendarModel(EncodeDate(year, month, day));
}

}  // namespace

TEST(CalendarModel, LeapYearsAndMonthLengths)
{
    EXPECT_FALSE(IsLeapYear(1900));
    EXPECT_TRUE(IsLeapYear(2000));
    EXPECT_TRUE(IsLeapYear(2004));
    EXPECT_FALSE(IsLeapYear(1999));
    EXPECT_EQ(DaysInMonth(2, 1900), 28);
    EXPECT_EQ(DaysInMonth(2, 2000), 29);
    EXPECT_EQ(DaysInMonth(2, 2004), 29);
    const int lengths[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    for (int m = 1; m <= 12; ++m)
        EXPECT_EQ(DaysInMonth(m, 1999), lengths[m - 1]) << m;
    EXPECT_EQ(DaysInMonth(0, 1999), 0);
    EXPECT_EQ(DaysInMonth(13, 1999), 0);
}

TEST(CalendarModel, FirstWeekdayOfEveryMonthMatchesADayCount)
{
    // Independent count: 1 January of year 1 is a Monday (2); walk the
    // month lengths forward from there.
    long long daysSinceAnchor = 0;
    CalendarModel model(EncodeDate(1, 1, 1));
    int mismatches = 0;
    for (int y = 1; y <= 9999; ++y) {
        const bool leap = (y % 4 == 0 && y % 100 != 0) || y % 400 == 0;
        const int lengths[12] = {31, leap ? 29 : 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
        for (int m = 1; m <= 12; ++m) {
            const int expected = static_cast<int>((daysSinceAnchor + 1) % 7) + 1;
            model.SetCalendarDate(EncodeDateTime({y, m, 1}, {6, 0}));
            if (model.FirstWeekday() != expected || model.Year() != y || model.Month() != m) {
                if (++mismatches < 5)
                    ADD_FAILURE() << y << "-" << m << ": " << model.FirstWeekday() << " != " << expected;
            }
            daysSinceAnchor += lengths[m - 1];
        }
    }
    EXPECT_EQ(mismatches, 0);
}

TEST(CalendarModel, DayCellsOfKnownMonths)
{
    const CalendarModel march = At(1998, 3, 10);  // starts on a Sunday
    EXPECT_EQ(march.FirstWeekday(), 1);
    EXPECT_EQ(march.DayCell(1), "1");
    EXPECT_EQ(march.DayCell(31), "31");
    EXPECT_EQ(march.DayCell(32), "  ");
    EXPECT_EQ(march.SelectedCell(), 10);

    const CalendarModel august = At(1998, 8, 31);  // starts on a Saturday
    EXPECT_EQ(august.FirstWeekday(), 7);
    for (int k = 1; k <= 6; ++k)
        EXPECT_EQ(august.DayCell(k), "  ") << k;
    EXPECT_EQ(august.DayCell(7), "1");
    EXPECT_EQ(august.DayCell(37), "31");
    for (int k = 38; k <= 42; ++k)
        EXPECT_EQ(august.DayCell(k), "  ") << k;
    EXPECT_EQ(august.SelectedCell(), 37);
    EXPECT_FALSE(august.IsDayCell(6));
    EXPECT_TRUE(august.IsDayCell(37));
    EXPECT_FALSE(august.IsDayCell(38));

    EXPECT_EQ(At(1, 1, 1).FirstWeekday(), 2);
    EXPECT_EQ(At(1, 1, 1).DayCell(2), "1");
    EXPECT_EQ(At(9999, 12, 31).FirstWeekday(), 4);
    EXPECT_EQ(At(9999, 12, 31).DayCell(4), "1");
    EXPECT_EQ(At(9999, 12, 31).SelectedCell(), 34);
    // Out-of-range indexes read as blank instead of running off the table.
    EXPECT_EQ(march.DayCell(0), "  ");
    EXPECT_EQ(march.DayCell(43), "  ");
}

TEST(CalendarModel, ConstructionKeepsTheDateOnly)
{
    const CalendarModel model(EncodeDate(2026, 12, 7) + 0.75);
    EXPECT_EQ(model.CalendarDate(), EncodeDate(2026, 12, 7));
    EXPECT_EQ(model.PreviousCell(), 0);
    EXPECT_EQ(model.LastYear(), 2026);
    EXPECT_EQ(model.LastMonth(), 12);
    EXPECT_EQ(model.Day(), 7);
}

TEST(CalendarModel, SetCalendarDateChangesOnlyOnANewDecodableValue)
{
    CalendarModel model(EncodeDate(2026, 12, 7));
    const TDateTime value = EncodeDate(1998, 8, 15) + 0.5;
    EXPECT_TRUE(model.SetCalendarDate(value));
    EXPECT_EQ(model.CalendarDate(), value);
    EXPECT_EQ(model.Year(), 1998);
    EXPECT_EQ(model.Month(), 8);
    EXPECT_EQ(model.SelectedCell(), 21);
    EXPECT_FALSE(model.SetCalendarDate(value));

    // Values that are no date of years 1..9999 change nothing.
    for (const double bad : {std::nan(""), std::numeric_limits<double>::infinity(), -1e300, 1e300,
                             EncodeDate(9999, 12, 31) + 1.0, EncodeDate(1, 1, 1) - 1.0}) {
        EXPECT_FALSE(CalendarModel::IsDecodable(bad)) << bad;
        EXPECT_FALSE(model.SetCalendarDate(bad)) << bad;
        EXPECT_EQ(model.CalendarDate(), value);
    }
    EXPECT_TRUE(CalendarModel::IsDecodable(EncodeDate(9999, 12, 31) + 0.999));
    EXPECT_TRUE(CalendarModel::IsDecodable(EncodeDate(1, 1, 1) - 0.999));
}

TEST(CalendarModel, TimeOfDayRidesAlongAndNeverShiftsTheDate)
{
    // 31 December 1899 at 09:36, walked back a day at a time across the
    // zero of the day count: every step must land one day earlier and keep
    // the time, even where the stored value turns negative.
    CalendarModel model(0);
    model.SetCalendarDate(EncodeDateTime({1899, 12, 31}, {9, 36}));
    for (int expectedDay : {30, 29, 28}) {
        ASSERT_TRUE(model.MoveDays(-1));
        EXPECT_EQ(model.Day(), expectedDay);
        const TimeParts t = DecodeTime(model.CalendarDate());
        EXPECT_EQ(t.hour, 9);
        EXPECT_EQ(t.minute, 36);
        EXPECT_EQ(DecodeDate(model.CalendarDate()).day, expectedDay);
    }
    ASSERT_TRUE(model.MoveDays(3));
    EXPECT_EQ(model.Day(), 31);
    EXPECT_EQ(DecodeTime(model.CalendarDate()).hour, 9);
}

TEST(CalendarModel, MoveDaysTracksTheCellsAndStopsAtTheRangeEnds)
{
    CalendarModel model = At(1998, 3, 31);
    ASSERT_TRUE(model.MoveDays(1));  // into April
    EXPECT_EQ(model.Month(), 4);
    EXPECT_EQ(model.PreviousCell(), 31);
    EXPECT_EQ(model.LastMonth(), 3);
    EXPECT_EQ(model.SelectedCell(), model.FirstWeekday());
    EXPECT_EQ(model.DayCell(model.FirstWeekday()), "1");

    CalendarModel first = At(1, 1, 1);
    EXPECT_FALSE(first.MoveDays(-1));
    EXPECT_EQ(first.Day(), 1);
    EXPECT_FALSE(first.MoveDays(std::numeric_limits<long long>::min()));
    CalendarModel last = At(9999, 12, 31);
    EXPECT_FALSE(last.MoveDays(1));
    EXPECT_FALSE(last.MoveDays(std::numeric_limits<long long>::max()));
    EXPECT_EQ(last.Year(), 9999);
    ASSERT_TRUE(last.MoveDays(-(EncodeDate(9999, 12, 31) - EncodeDate(1, 1, 1))));
    EXPECT_EQ(last.Year(), 1);
    EXPECT_EQ(last.Day(), 1);
}

TEST(CalendarModel, ClickCellMovesOnlyToDaysOfTheShownMonth)
{
    CalendarModel august = At(1998, 8, 15);
    EXPECT_FALSE(august.ClickCell(6));
    EXPECT_FALSE(august.ClickCell(38));
    EXPECT_FALSE(august.ClickCell(-1));
    EXPECT_EQ(august.Day(), 15);
    EXPECT_TRUE(august.ClickCell(7));
    EXPECT_EQ(august.Day(), 1);
    EXPECT_TRUE(august.ClickCell(37));
    EXPECT_EQ(august.Day(), 31);
    EXPECT_EQ(august.PreviousCell(), 7);
}
