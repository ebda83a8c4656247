// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The month calendar's date model: the held date, the 6 x 7 grid of day
// cells and the moves by day, week, month and year, all kept inside
// 1 January of year 1 .. 31 December 9999. No drawing here; the panel asks
// the model and paints what it answers.
//
// The held value is a date-time (days since 30 December 1899 plus the time
// of day). Moves work on the whole day number and keep the time of day
// aside, so adding days to a value before 1899 (stored negative, with the
// time as a positive fraction) can never land on the wrong day.

#include "base/date_time.h"

#include <array>
#include <string>

bool IsLeapYear(int year);
// 28..31; 0 for a month outside 1..12.
int DaysInMonth(int month, int year);
// Weekday of a date: 1 = Sunday .. 7 = Saturday (proleptic Gregorian).
int WeekdayOf(int year, int month, int day);

// The keys the calendar answers.
enum class CalendarKey {
    Left,      // one day back
    Right,     // one day forward
    Up,        // seven days back
    Down,      // seven days forward
    PageUp,    // previous month
    PageDown,  // next month
    End,       // one year back
    Home,      // one year forward
};

// What a key did, and so what the panel must redraw.
enum class KeyOutcome {
    Refused,   // nothing moved; the caller beeps
    MarkOnly,  // moved inside the shown month: redraw the old and new cells
    Full,      // moved into another month (or by month or year): repaint all
};

class CalendarModel {
public:
    static constexpr int kCells = 42;
    static constexpr int kFirstYear = 1;
    static constexpr int kLastYear = 9999;

    // Holds the given date (its time of day is dropped, as construction keeps
    // the date only), or 1 January 1 when it cannot be decoded.
    explicit CalendarModel(TDateTime today);

    // The held value, time of day included.
    TDateTime CalendarDate() const { return value_; }
    int Year() const { return year_; }
    int Month() const { return month_; }
    int Day() const { return day_; }
    int SelectedCell() const { return selectedCell_; }
    int PreviousCell() const { return previousCell_; }
    int LastYear() const { return lastYear_; }
    int LastMonth() const { return lastMonth_; }

    // Weekday of day 1 of the held month: 1 = Sunday .. 7 = Saturday.
    int FirstWeekday() const { return firstWeekday_; }
    // Cell texts, k = 1..42: the day number, or two blanks outside the month.
    const std::string& DayCell(int k) const;
    // True when cell k holds a day of the shown month.
    bool IsDayCell(int k) const;
    void FillDayCells();

    // Replaces the held value. False when the value equals the held one
    // exactly, or cannot be a date of years 1..9999 (then nothing changes).
    bool SetCalendarDate(TDateTime value);
    // True when SetCalendarDate would refuse the value as undecodable.
    static bool IsDecodable(TDateTime value);

    // Moves by whole days. False (and nothing changed) when the result would
    // leave 1 January 1 .. 31 December 9999.
    bool MoveDays(long long delta);

    // One key of the key map, with its refusal rules.
    KeyOutcome HandleKey(CalendarKey key);

    // A click on cell k: moves there when the cell holds a day of the shown
    // month. False for blank cells and cells outside 1..42.
    bool ClickCell(int k);

private:
    bool StepMonth(bool forward);
    bool StepYear(bool forward);
    void Hold(long long dayNumber, double timeOfDay);

    TDateTime value_ = 0;
    long long dayNumber_ = 0;  // whole days since 30 December 1899
    double timeOfDay_ = 0;     // 0 <= t < 1
    int year_ = 1;
    int month_ = 1;
    int day_ = 1;
    int firstWeekday_ = 1;
    int selectedCell_ = 1;
    int previousCell_ = 0;
    int lastYear_ = 1;
    int lastMonth_ = 1;
    std::array<std::string, kCells + 1> dayCells_;  // [0] unused
};
