// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The clock window's alarm commands: set the alarm time, switch the alarm
// off or on again, and ring it. The window forwards its menu items, the
// right click on its clock face and the alarm's event here.
//
// Outside the alarm time dialog three things always agree: the alarm armed,
// the red indicator shown and "ｱﾗｰﾑ停止" unchecked; or the reverse.

#include "alarm/alarm_component.h"
#include "base/clock_settings.h"
#include "platform/clock.h"
#include "platform/help.h"
#include "platform/sound.h"

#include <functional>
#include <string>

class QAction;
class QDialog;
class QWidget;

class AlarmCommands {
public:
    // Shows a dialog modally and returns its result; tests replace it to act
    // on the dialog instead of waiting for a person.
    using ModalRunner = std::function<int(QDialog& dialog)>;

    // Binds itself as the alarm's OnAlarm handler.
    AlarmCommands(TAlarm& alarm, QWidget& alarmShape, QAction& alarmOffItem, const ClockSettings& settings,
                  platform::Sound& sound, const platform::Clock& clock, platform::Help& help);

    // Opens the alarm time dialog; OK arms the alarm at the chosen time,
    // anything else leaves it as it was.
    void pmnuAlarmSetClick();
    // Arms the alarm at its stored time, or switches it off.
    void pmnuAlarmOffClick();
    // The alarm's event: switches the alarm off and shows the notice until
    // the user closes it. An unreadable picture raises its error before any
    // notice shows, with the alarm already off.
    void Alarm1Alarm(TAlarm* Sender, const std::string& AlarmMessage);

    void SetModalRunner(ModalRunner runner) { runModal_ = std::move(runner); }

private:
    void ShowArmed(bool armed);

    TAlarm& alarm_;
    QWidget& alarmShape_;
    QAction& alarmOffItem_;
    const ClockSettings& settings_;
    platform::Sound& sound_;
    const platform::Clock& clock_;
    platform::Help& help_;
    ModalRunner runModal_;
};
