// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The shared date-time value: days since 30 December 1899 as a double, the
// fraction being the time of day (0.5 is 12:00:00). A time of day alone is the
// fraction only; an interval of N minutes is N / 1440.

#include <optional>
#include <string>
#include <vector>

using TDateTime = double;

struct DateParts {
    int year = 1899;
    int month = 12;
    int day = 30;
};

struct TimeParts {
    int hour = 0;
    int minute = 0;
    int second = 0;
    int millisecond = 0;
};

constexpr double kMinutesPerDay = 1440.0;
constexpr double kSecondsPerDay = 86400.0;
constexpr double kMsPerDay = 86400000.0;

// Whole days from 1899-12-30 to the given proleptic Gregorian date (year 1..9999).
TDateTime EncodeDate(int year, int month, int day);
TDateTime EncodeTime(int hour, int minute, int second = 0, int millisecond = 0);
TDateTime EncodeDateTime(const DateParts& date, const TimeParts& time);

// Splits a value; the time is rounded to the nearest millisecond first, so
// 10:00:00 stored as 0.41666... never reads back as 09:59:59.999.
DateParts DecodeDate(TDateTime value);
TimeParts DecodeTime(TDateTime value);

// 0 = Sunday .. 6 = Saturday.
int DayOfWeek(TDateTime value);

// The clock face: "hh:mm am/pm", 12-hour clock, two-digit hour (midnight and
// noon show as 12), lower-case marker: 00:05 gives "12:05 am", 23:59 "11:59 pm".
// With `hours24` it is "HH:mm": "00:05", "23:59".
std::string ClockText(TDateTime value, bool hours24 = false);

// The date tooltip "yyyy/mm/dd (ddd)"; weekdayNames holds the locale's seven
// abbreviated names from Sunday on.
std::string DateHintText(TDateTime value, const std::vector<std::string>& weekdayNames);

// The settings file's time text: H:mm:ss on the 24-hour clock, hour not
// padded (30 minutes gives "0:30:00"). Values of a day or more keep the time
// of day only.
std::string SettingsTimeText(TDateTime value);

// Parses hours:minutes with optional :seconds and an optional AM/PM marker
// before or after (case-insensitive). Returns the time of day, or nothing when
// the text is not a time. "00:00:00", "0:30:00", "7:05 PM" are accepted.
std::optional<TDateTime> ParseTimeText(const std::string& text);
