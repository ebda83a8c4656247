// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/date_time.h"

#include "base/text_helpers.h"

#include <cctype>
#include <cmath>
#include <cstdio>

namespace {

// Days from 1970-01-01 to a proleptic Gregorian date (H. Hinnant's algorithm).
long long DaysFromCivil(long long y, unsigned m, unsigned d)
{
    y -= m <= 2;
    const long long era = (y >= 0 ? y : y - 399) / 400;
    const auto yoe = static_cast<unsigned>(y - era * 400);
    const unsigned doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + static_cast<long long>(doe) - 719468;
}

DateParts CivilFromDays(long long z)
{
    z += 719468;
    const long long era = (z >= 0 ? z : z - 146096) / 146097;
    const auto doe = static_cast<unsigned>(z - era * 146097);
    const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const long long y = static_cast<long long>(yoe) + era * 400;
    const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const unsigned mp = (5 * doy + 2) / 153;
    const unsigned d = doy - (153 * mp + 2) / 5 + 1;
    const unsigned m = mp < 10 ? mp + 3 : mp - 9;
    return {static_cast<int>(y + (m <= 2)), static_cast<int>(m), static_cast<int>(d)};
}

const long long kEpochOffset = DaysFromCivil(1899, 12, 30);

// Whole days and milliseconds of the day. The day part is truncated towards
// zero and the fraction taken as its absolute value, so -1.25 is 29 December
// 1899 at 06:00, as the value has always been read.
struct Split {
    long long days;
    long long ms;
};

Split SplitValue(TDateTime value)
{
    long long days = static_cast<long long>(std::trunc(value));
    long long ms = std::llround(std::fabs(value - std::trunc(value)) * kMsPerDay);
    if (ms >= static_cast<long long>(kMsPerDay)) {
        ms = 0;
        days += value >= 0 ? 1 : -1;
    }
    return {days, ms};
}

std::string TwoDigits(int n)
{
    char buf[16];
    std::snprintf(buf, sizeof buf, "%02d", n);
    return buf;
}

}  // namespace

TDateTime EncodeDate(int year, int month, int day)
{
    return static_cast<TDateTime>(DaysFromCivil(year, static_cast<unsigned>(month), static_cast<unsigned>(day)) -
                                  kEpochOffset);
}

TDateTime EncodeTime(int hour, int minute, int second, int millisecond)
{
    return (((hour * 60.0 + minute) * 60.0 + second) * 1000.0 + millisecond) / kMsPerDay;
}

TDateTime EncodeDateTime(const DateParts& date, const TimeParts& time)
{
    const TDateTime d = EncodeDate(date.year, date.month, date.day);
    const TDateTime t = EncodeTime(time.hour, time.minute, time.second, time.millisecond);
    return d >= 0 ? d + t : d - t;
}

DateParts DecodeDate(TDateTime value)
{
    return CivilFromDays(SplitValue(value).days + kEpochOffset);
}

TimeParts DecodeTime(TDateTime value)
{
    long long ms = SplitValue(value).ms;
    TimeParts t;
    t.millisecond = static_cast<int>(ms % 1000);
    ms /= 1000;
    t.second = static_cast<int>(ms % 60);
    ms /= 60;
    t.minute = static_cast<int>(ms % 60);
    t.hour = static_cast<int>(ms / 60);
    return t;
}

int DayOfWeek(TDateTime value)
{
    // 1899-12-30 was a Saturday.
    const long long days = SplitValue(value).days;
    return static_cast<int>(((days + 6) % 7 + 7) % 7);
}

std::string ClockText(TDateTime value, bool hours24)
{
    const TimeParts t = DecodeTime(value);
    if (hours24)
        return TwoDigits(t.hour) + ":" + TwoDigits(t.minute);
    const int hour12 = t.hour % 12 == 0 ? 12 : t.hour % 12;
    return TwoDigits(hour12) + ":" + TwoDigits(t.minute) + (t.hour < 12 ? " am" : " pm");
}

std::string DateHintText(TDateTime value, const std::vector<std::string>& weekdayNames)
{
    const DateParts d = DecodeDate(value);
    char buf[32];
    std::snprintf(buf, sizeof buf, "%04d/%02d/%02d", d.year, d.month, d.day);
    const auto wd = static_cast<std::size_t>(DayOfWeek(value));
    const std::string name = wd < weekdayNames.size() ? weekdayNames[wd] : std::string();
    return std::string(buf) + " (" + name + ")";
}

std::string SettingsTimeText(TDateTime value)
{
    const TimeParts t = DecodeTime(value);
    return std::to_string(t.hour) + ":" + TwoDigits(t.minute) + ":" + TwoDigits(t.second);
}

namespace {

enum class Marker { None, Am, Pm };

// Strips an AM/PM marker from the front or the back of the text.
bool TakeMarker(std::string& text, Marker& marker)
{
    const std::string u = AsciiUpper(text);
    for (const auto& [word, kind] : {std::pair{"AM", Marker::Am}, std::pair{"PM", Marker::Pm}}) {
        if (u.size() >= 2 && u.compare(u.size() - 2, 2, word) == 0) {
            text.erase(text.size() - 2);
            marker = kind;
            return true;
        }
        if (u.size() >= 2 && u.compare(0, 2, word) == 0) {
            text.erase(0, 2);
            marker = kind;
            return true;
        }
    }
    marker = Marker::None;
    return true;
}

}  // namespace

std::optional<TDateTime> ParseTimeText(const std::string& input)
{
    std::string text = TrimBlanks(input);
    Marker marker = Marker::None;
    TakeMarker(text, marker);
    text = TrimBlanks(text);

    int parts[3] = {0, 0, 0};
    int count = 0;
    std::size_t i = 0;
    while (true) {
        int digits = 0;
        int value = 0;
        while (i < text.size() && std::isdigit(static_cast<unsigned char>(text[i])) && digits < 2) {
            value = value * 10 + (text[i] - '0');
            ++digits;
            ++i;
        }
        if (digits == 0 || count == 3)
            return std::nullopt;
        parts[count++] = value;
        if (i == text.size())
            break;
        if (text[i] != ':')
            return std::nullopt;
        ++i;
    }
    if (count < 2)
        return std::nullopt;

    int hour = parts[0];
    const int minute = parts[1];
    const int second = parts[2];
    if (marker != Marker::None) {
        if (hour > 12)
            return std::nullopt;
        if (marker == Marker::Am && hour == 12)
            hour = 0;
        else if (marker == Marker::Pm && hour < 12)
            hour += 12;
    }
    if (hour > 23 || minute > 59 || second > 59)
        return std::nullopt;
    return EncodeTime(hour, minute, second);
}
