// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The alarm's arithmetic: the hour rule every part of the alarm shares, the
// due test of the poll, the quick-set sums of the alarm time dialog and the
// notice's time text.
//
// The alarm keeps a 12-hour dial hour (1..12) with a half-day marker. In this
// program 12 with `am` is noon and 12 with `pm` is midnight; the dialog, the
// poll and the notice all read the dial through AlarmHourOfDay, so they agree.

#include "base/date_time.h"
#include "base/translatable.h"

#include <string>

enum class TAmPm { am, pm };

// The hour of the day (0..23) a dial setting stands for:
// 1..11 am -> 1..11, 12 am -> 12, 1..11 pm -> 13..23, 12 pm -> 0.
// A dial hour of 0 (a component not yet set up) reads as 0 am / 12 pm.
int AlarmHourOfDay(int hour, TAmPm ampm);

struct AlarmDial {
    int Hour = 12;
    TAmPm AmPm = TAmPm::pm;
};

// The dial setting for an hour of the day (0..23), the reverse of the above:
// 0 -> 12 pm, 1..11 -> am, 12 -> 12 am, 13..23 -> hour - 12 pm.
AlarmDial AlarmDialFromHourOfDay(int hourOfDay);

// Whether the poll at `now` matches the setting: same hour of the day and
// same minute; the seconds and the date play no part.
bool AlarmDue(int hour, int minute, TAmPm ampm, TDateTime now);

// The property checks: a bad hour (0 or above 12) or minute (60 or above)
// raises "Invalid value entered for Hour" / "... Minute".
void CheckAlarmHour(int hour);
void CheckAlarmMinute(int minute);

struct HourMinute {
    int hour = 0;
    int minute = 0;
};

// Hour and minute of a moment, the seconds dropped.
HourMinute HourMinuteOf(TDateTime now);

// The moment `minutes` from now, as hour and minute of the day: the sum is a
// date-time value, so the carry over the hour and midnight comes from it; the
// present seconds take part and are then cut off (10:58:45 + 3 gives 11:01).
HourMinute AddMinutesToNow(TDateTime now, int minutes);

// The alarm time as the clock face would show it: "11:14 pm", or "23:14"
// with 24-hour time. The dialog's hour runs 0..23 while the face shows am
// and pm, so the dialog and the notice echo the time in the face's form.
std::string AlarmEchoText(int hourOfDay, int minute, bool hours24);

// The notice's time text: the dial hour, "時", the minute, "分です", neither
// number padded ("1時5分です"), then the time as the face shows it, which
// says which half of the day ("1時5分です (01:05 pm)"). `pattern` is that
// text with %1 for the hour, %2 for the minute and %3 for the face's form,
// translated for another language.
inline constexpr const char* kAlarmTimePattern = QT_TRANSLATE_NOOP("TMsgDlg", "%1時%2分です (%3)");
std::string AlarmTimeText(int hour, int minute, const std::string& echo,
                          const std::string& pattern = kAlarmTimePattern);
