// SPDX-License-Identifier: GPL-3.0-or-later
#include "alarm/alarm_commands.h"

#include "alarm/alarm_bitmap_file.h"
#include "alarm/alarm_notice.h"
#include "alarm/alarm_set_dialog.h"

#include <QAction>
#include <QCoreApplication>
#include <QWidget>

#include <memory>

AlarmCommands::AlarmCommands(TAlarm& alarm, QWidget& alarmShape, QAction& alarmOffItem, const ClockSettings& settings,
                             platform::Sound& sound, const platform::Clock& clock, platform::Help& help)
    : alarm_(alarm), alarmShape_(alarmShape), alarmOffItem_(alarmOffItem), settings_(settings), sound_(sound),
      clock_(clock), help_(help), runModal_([](QDialog& dialog) { return dialog.exec(); })
{
    alarmOffItem_.setCheckable(true);
    alarm_.SetOnAlarm([this](TAlarm* sender, const std::string& message) { Alarm1Alarm(sender, message); });
}

void AlarmCommands::ShowArmed(bool armed)
{
    alarm_.SetEnabled(armed);
    alarmShape_.setVisible(armed);
    alarmOffItem_.setChecked(!armed);
}

void AlarmCommands::pmnuAlarmSetClick()
{
    auto dialog = std::make_unique<TAlarmSetDlg>(clock_, help_);
    dialog->SetClock24(settings_.Clock24);
    const bool wasArmed = alarm_.Enabled();
    if (wasArmed) {
        dialog->SetAlarmTime(AlarmHourOfDay(alarm_.Hour(), alarm_.AmPm()), alarm_.Minute());
    }
    // The alarm cannot ring while its time is being edited; the menu's check
    // mark stays as it was until the dialog closes.
    alarm_.SetEnabled(false);
    alarmShape_.setVisible(false);

    if (runModal_(*dialog) == QDialog::Accepted) {
        const AlarmDial dial = AlarmDialFromHourOfDay(dialog->HourOfDay());
        alarm_.SetHour(dial.Hour);
        alarm_.SetAmPm(dial.AmPm);
        alarm_.SetMinute(dialog->Minute());
        ShowArmed(true);
    } else {
        alarm_.SetEnabled(wasArmed);
        alarmShape_.setVisible(wasArmed);
    }
}

void AlarmCommands::pmnuAlarmOffClick()
{
    ShowArmed(alarmOffItem_.isChecked());
}

void AlarmCommands::Alarm1Alarm(TAlarm* /*Sender*/, const std::string& /*AlarmMessage*/)
{
    if (alarmOffItem_.isChecked())
        return;
    // Off first: the alarm rings once per setting, and no second notice can
    // open over this one while it shows.
    ShowArmed(false);

    auto notice = std::make_unique<TMsgDlg>(sound_);
    const bool withPicture = settings_.AlarmBmpSw && !settings_.AlarmBmp.empty();
    const bool withSound = settings_.AlarmWaveSw && !settings_.AlarmWave.empty();
    // The dial hour alone does not say which half of the day: the face's form follows it.
    const std::string echo = AlarmEchoText(AlarmHourOfDay(alarm_.Hour(), alarm_.AmPm()), alarm_.Minute(),
                                           settings_.Clock24);
    notice->ShowAlarm(
        QString::fromStdString(AlarmTimeText(alarm_.Hour(), alarm_.Minute(), echo,
                                             QCoreApplication::translate("TMsgDlg", kAlarmTimePattern).toStdString())),
        withPicture ? LoadAlarmBitmap(settings_.AlarmBmp) : QImage(), withSound ? settings_.AlarmWave : std::string());

    runModal_(*notice);
    notice->StopScrolling();
}
