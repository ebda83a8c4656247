// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// TAlarm: the non-visual alarm. It holds one time of day on a 12-hour dial
// and raises OnAlarm when the clock reaches that hour and minute. While armed
// it polls every 2.5 s; every poll inside the matching minute raises the
// event again, so a handler that wants one event disarms it.

#include "alarm/alarm_time.h"
#include "platform/clock.h"

#include <QObject>
#include <QTimer>

#include <functional>
#include <string>

class TAlarm : public QObject {
    Q_OBJECT
public:
    using TOnAlarmEvent = std::function<void(TAlarm* Sender, const std::string& AlarmMessage)>;
    static constexpr int kPollInterval = 2500;

    TAlarm(const platform::Clock& clock, QObject* owner = nullptr);

    bool Enabled() const { return enabled_; }
    // Stores the value and runs or stops the poll to match, on every write.
    void SetEnabled(bool value);

    int Hour() const { return hour_; }
    // 1..12; anything else raises "Invalid value entered for Hour" and keeps the old hour.
    void SetHour(int value);

    int Minute() const { return minute_; }
    // 0..59; anything else raises "Invalid value entered for Minute" and keeps the old minute.
    void SetMinute(int value);

    TAmPm AmPm() const { return ampm_; }
    void SetAmPm(TAmPm value) { ampm_ = value; }

    const TOnAlarmEvent& OnAlarm() const { return onAlarm_; }
    void SetOnAlarm(TOnAlarmEvent handler) { onAlarm_ = std::move(handler); }

    // One poll: raises the event when the present hour and minute match.
    void CheckAlarmTime();
    // Whether the poll timer runs (for tests and the owner's sanity checks).
    bool PollRunning() const { return timer_.isActive(); }

private:
    void DoAlarm();

    const platform::Clock& clock_;
    QTimer timer_;
    bool enabled_ = false;
    int hour_ = 0;
    int minute_ = 0;
    TAmPm ampm_ = TAmPm::am;
    std::string message_;  // nothing sets it: the event always carries an empty text
    TOnAlarmEvent onAlarm_;
};
