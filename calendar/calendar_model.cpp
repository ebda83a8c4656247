// SPDX-License-Identifier: GPL-3.0-or-later
#include "calendar/calendar_model.h"

#include <cmath>

namespace {

const long long kFirstDay = static_cast<long long>(EncodeDate(CalendarModel::kFirstYear, 1, 1));
const long long kLastDay = static_cast<long long>(EncodeDate(CalendarModel::kLastYear, 12, 31));

// Splits a value the way the date-time value is read everywhere: whole days
// truncated toward zero, the time of day the absolute fraction.
bool SplitDay(TDateTime value, long long& dayNumber, double& timeOfDay)
{
    if (!std::isfinite(value) || value <= static_cast<double>(kFirstDay) - 1 ||
        value >= static_cast<double>(kLastDay) + 1)
        return false;
    const double whole = std::trunc(value);
    dayNumber = static_cast<long long>(whole);
    timeOfDay = std::fabs(value - whole);
    return dayNumber >= kFirstDay && dayNumber <= kLastDay;
}

TDateTime Join(long long dayNumber, double timeOfDay)
{
    const auto d = static_cast<double>(dayNumber);
    return dayNumber >= 0 ? d + timeOfDay : d - timeOfDay;
}

}  // namespace

bool IsLeapYear(int year)
{
    return year % 4 == 0 && (year % 100 != 0 || year % 400 == 0);
}

int DaysInMonth(int month, int year)
{
    static constexpr int kLengths[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month < 1 || month > 12)
        return 0;
    return month == 2 && IsLeapYear(year) ? 29 : kLengths[month - 1];
}

int WeekdayOf(int year, int month, int day)
{
    return DayOfWeek(EncodeDate(year, month, day)) + 1;
}

CalendarModel::CalendarModel(TDateTime today)
{
    long long dayNumber = kFirstDay;
    double timeOfDay = 0;
    if (!SplitDay(today, dayNumber, timeOfDay))
        dayNumber = kFirstDay;
    Hold(dayNumber, 0);
    lastYear_ = year_;
    lastMonth_ = month_;
    previousCell_ = 0;
}

void CalendarModel::Hold(long long dayNumber, double timeOfDay)
{
    dayNumber_ = dayNumber;
    timeOfDay_ = timeOfDay;
    value_ = Join(dayNumber, timeOfDay);
    const DateParts parts = DecodeDate(static_cast<double>(dayNumber));
    const bool otherMonth = parts.year != year_ || parts.month != month_ || dayCells_[1].empty();
    year_ = parts.year;
    month_ = parts.month;
    day_ = parts.day;
    if (otherMonth)
        FillDayCells();
    selectedCell_ = firstWeekday_ + day_ - 1;
}

void CalendarModel::FillDayCells()
{
    firstWeekday_ = WeekdayOf(year_, month_, 1);
    const int last = firstWeekday_ + DaysInMonth(month_, year_) - 1;
    for (int k = 1; k <= kCells; ++k)
        dayCells_[k] = k < firstWeekday_ || k > last ? std::string("  ") : std::to_string(k - firstWeekday_ + 1);
}

const std::string& CalendarModel::DayCell(int k) const
{
    static const std::string kBlank = "  ";
    return k >= 1 && k <= kCells ? dayCells_[k] : kBlank;
}

bool CalendarModel::IsDayCell(int k) const
{
    return k >= firstWeekday_ && k < firstWeekday_ + DaysInMonth(month_, year_);
}

bool CalendarModel::IsDecodable(TDateTime value)
{
    long long dayNumber = 0;
    double timeOfDay = 0;
    return SplitDay(value, dayNumber, timeOfDay);
}

bool CalendarModel::SetCalendarDate(TDateTime value)
{
    if (value == value_)
        return false;
    long long dayNumber = 0;
    double timeOfDay = 0;
    if (!SplitDay(value, dayNumber, timeOfDay))
        return false;
    Hold(dayNumber, timeOfDay);
    value_ = value;  // kept exactly, so the same value again is recognised
    previousCell_ = 0;
    return true;
}

bool CalendarModel::MoveDays(long long delta)
{
    if (delta < kFirstDay - dayNumber_ || delta > kLastDay - dayNumber_)
        return false;
    const int selected = selectedCell_;
    const int year = year_;
    const int month = month_;
    Hold(dayNumber_ + delta, timeOfDay_);
    previousCell_ = selected;
    lastYear_ = year;
    lastMonth_ = month;
    return true;
}

bool CalendarModel::StepMonth(bool forward)
{
    long long length = 0;
    if (forward) {
        length = DaysInMonth(month_ == 12 ? 1 : month_ + 1, year_);
        if (length >= day_)
            length = DaysInMonth(month_, year_);
        return MoveDays(length);
    }
    length = DaysInMonth(month_ == 1 ? 12 : month_ - 1, year_);
    if (length < day_)
        length = DaysInMonth(month_, year_);
    return MoveDays(-length);
}

bool CalendarModel::StepYear(bool forward)
{
    // 365 days with a one-day correction before or after it in a leap year,
    // so the day and month stay put (29 February goes on to 1 March). Done
    // on a copy and taken over only when every part succeeded.
    CalendarModel work = *this;
    const int sign = forward ? 1 : -1;
    const auto correctionBefore = [&] {
        return IsLeapYear(work.year_) && (forward ? work.month_ <= 2 : work.month_ >= 3);
    };
    // Forward from 1 March of the year before a leap year, 365 days end on
    // 29 February: that landing needs the correction too, or "one year on"
    // from 1 March 1999 would read 29 February 2000.
    const auto correctionAfter = [&] {
        if (!IsLeapYear(work.year_))
            return false;
        if (forward)
            return work.month_ >= 3 || (work.month_ == 2 && work.day_ == 29);
        return work.month_ <= 2;
    };
    if (correctionBefore() && !work.MoveDays(sign))
        return false;
    if (!work.MoveDays(sign * 365))
        return false;
    if (correctionAfter() && !work.MoveDays(sign))
        return false;
    const int selected = selectedCell_;
    const int year = year_;
    const int month = month_;
    *this = work;
    previousCell_ = selected;
    lastYear_ = year;
    lastMonth_ = month;
    return true;
}

KeyOutcome CalendarModel::HandleKey(CalendarKey key)
{
    const bool first = year_ == kFirstYear;
    const bool last = year_ == kLastYear;
    const auto dayMove = [this](long long delta) {
        if (!MoveDays(delta))
            return KeyOutcome::Refused;
        return year_ == lastYear_ && month_ == lastMonth_ ? KeyOutcome::MarkOnly : KeyOutcome::Full;
    };
    const auto fullMove = [](bool moved) { return moved ? KeyOutcome::Full : KeyOutcome::Refused; };
    switch (key) {
    case CalendarKey::Left: return first && month_ == 1 && day_ == 1 ? KeyOutcome::Refused : dayMove(-1);
    case CalendarKey::Right: return last && month_ == 12 && day_ == 31 ? KeyOutcome::Refused : dayMove(1);
    case CalendarKey::Up: return first && month_ == 1 && day_ <= 7 ? KeyOutcome::Refused : dayMove(-7);
    case CalendarKey::Down: return last && month_ == 12 && day_ > 24 ? KeyOutcome::Refused : dayMove(7);
    case CalendarKey::PageUp: return first && month_ == 1 ? KeyOutcome::Refused : fullMove(StepMonth(false));
    case CalendarKey::PageDown: return last && month_ == 12 ? KeyOutcome::Refused : fullMove(StepMonth(true));
    case CalendarKey::End: return first ? KeyOutcome::Refused : fullMove(StepYear(false));
    case CalendarKey::Home: return last ? KeyOutcome::Refused : fullMove(StepYear(true));
    }
    return KeyOutcome::Refused;
}

bool CalendarModel::ClickCell(int k)
{
    if (!IsDayCell(k))
        return false;
    return MoveDays(k - selectedCell_);
}
