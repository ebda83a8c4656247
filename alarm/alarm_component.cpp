// SPDX-License-Identifier: GPL-3.0-or-later
#include "alarm/alarm_component.h"

#include "base/ui/error_handler.h"

TAlarm::TAlarm(const platform::Clock& clock, QObject* owner) : QObject(owner), clock_(clock)
{
    timer_.setInterval(kPollInterval);
    connect(&timer_, &QTimer::timeout, this, &TAlarm::CheckAlarmTime);
}

void TAlarm::SetEnabled(bool value)
{
    enabled_ = value;
    // A running poll keeps its phase: writing true again does not postpone it.
    if (value) {
        if (!timer_.isActive())
            timer_.start();
    } else {
        timer_.stop();
    }
}

void TAlarm::SetHour(int value)
{
    CheckAlarmHour(value);
    hour_ = value;
}

void TAlarm::SetMinute(int value)
{
    CheckAlarmMinute(value);
    minute_ = value;
}

void TAlarm::CheckAlarmTime()
{
    if (AlarmDue(hour_, minute_, ampm_, clock_.Now()))
        DoAlarm();
}

void TAlarm::DoAlarm()
{
    // The poll is an event of its own: an error the handler raises is shown
    // in the error box and the program runs on.
    if (onAlarm_)
        ErrorHandler::Run([&] { onAlarm_(this, message_); });
}
