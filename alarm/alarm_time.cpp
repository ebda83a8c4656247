// SPDX-License-Identifier: GPL-3.0-or-later
#include "alarm/alarm_time.h"

#include "base/zelvaro_error.h"

#include <utility>

int AlarmHourOfDay(int hour, TAmPm ampm)
{
    if (ampm == TAmPm::am)
        return hour;
    return hour == 12 ? 0 : hour + 12;
}

AlarmDial AlarmDialFromHourOfDay(int hourOfDay)
{
    if (hourOfDay == 0)
        return {12, TAmPm::pm};
    if (hourOfDay <= 12)
        return {hourOfDay, TAmPm::am};
    return {hourOfDay - 12, TAmPm::pm};
}

bool AlarmDue(int hour, int minute, TAmPm ampm, TDateTime now)
{
    const TimeParts t = DecodeTime(now);
    return AlarmHourOfDay(hour, ampm) == t.hour && minute == t.minute;
}

void CheckAlarmHour(int hour)
{
    // The property is unsigned: a negative value wraps far above 12.
    if (hour <= 0 || hour > 12)
        throw ZelvaroError("Invalid value entered for Hour");
}

void CheckAlarmMinute(int minute)
{
    if (minute < 0 || minute >= 60)
        throw ZelvaroError("Invalid value entered for Minute");
}

HourMinute HourMinuteOf(TDateTime now)
{
    const TimeParts t = DecodeTime(now);
    return {t.hour, t.minute};
}

HourMinute AddMinutesToNow(TDateTime now, int minutes)
{
    const TDateTime span = EncodeTime(minutes / 60, minutes % 60);
    return HourMinuteOf(now + span);
}

std::string AlarmEchoText(int hourOfDay, int minute, bool hours24)
{
    return ClockText(EncodeTime(hourOfDay, minute), hours24);
}

std::string AlarmTimeText(int hour, int minute, const std::string& echo, const std::string& pattern)
{
    std::string text = pattern;
    for (const auto& [mark, value] :
         {std::pair{"%1", std::to_string(hour)}, std::pair{"%2", std::to_string(minute)}, std::pair{"%3", echo}}) {
        const auto at = text.find(mark);
        if (at != std::string::npos)
            text.replace(at, 2, value);
    }
    return text;
}
