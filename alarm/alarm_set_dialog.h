// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// TAlarmSetDlg: the alarm time dialog. The user picks the hour (0..23) and
// minute of the alarm, by the arrows, from the present time, or as the
// present time plus one of eight spans. The dialog only gathers the time;
// the alarm commands read it back after OK. Beside the fields a line echoes
// the time as the clock face shows it ("= 11:14 pm"), so the 0..23 hour
// cannot be read as the wrong half of the day.

#include "platform/clock.h"
#include "platform/help.h"

#include <QDialog>

class StepSpinEdit;
class QGroupBox;
class QLabel;
class QPushButton;

class TAlarmSetDlg : public QDialog {
    Q_OBJECT
public:
    static constexpr int kHelpContext = 29;

    TAlarmSetDlg(const platform::Clock& clock, platform::Help& help, QWidget* parent = nullptr);

    // The alarm time in the fields: the hour of the day (0..23) and the minute.
    void SetAlarmTime(int hourOfDay, int minute);
    int HourOfDay() const;
    int Minute() const;
    // The face's form of the echo: 24-hour time ("= 23:14") or am/pm.
    void SetClock24(bool hours24);

    // The present hour and minute into the fields; the seconds are dropped.
    void NowButtonClick();
    // The present moment plus `minutes` into the fields, counted from now,
    // never from what the fields show.
    void AddMinutesToNow(int minutes);
    void HelpBtnClick();

private:
    // Its controls, found by their object names from outside.
    StepSpinEdit* HourSedit = nullptr;
    StepSpinEdit* MinSEdit = nullptr;
    QLabel* lblEcho = nullptr;
    QPushButton* NowButton = nullptr;
    QGroupBox* GroupBox1 = nullptr;  // the buttons that add minutes to now
    QPushButton* OKBtn = nullptr;
    QPushButton* CancelBtn = nullptr;
    QPushButton* HelpBtn = nullptr;

    void BuildButtons(QGroupBox* box);
    // The echo follows the fields as digits are typed.
    void UpdateEcho();

    bool hours24_ = false;

    const platform::Clock& clock_;
    platform::Help& help_;
};
