// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// TCalendarDlg: the modal dialog that shows the month calendar opened at
// today's date. It is for looking only: nothing is read back or stored.

#include <QDialog>

class QFrame;
class QPushButton;
class TCalenPnl;

namespace platform {
class Clock;
class Help;
}  // namespace platform

class TCalendarDlg : public QDialog {
    Q_OBJECT

public:
    static constexpr int kHelpContext = 28;

    TCalendarDlg(QWidget* owner, const platform::Clock& clock, platform::Help& help);

    // The opening brings the calendar to the current date and time. Later
    // activations (back from the help window or another program) leave it
    // alone, so the month the person was browsing stays.
    void FormActivate();
    void BitBtn2Click();  // the Today button: back to today
    void BitBtn3Click();  // the calendar's help topic

protected:
    void showEvent(QShowEvent* event) override;

private:
    // Its controls, found by their object names from outside.
    TCalenPnl* CalenPnl1 = nullptr;  // the calendar
    QPushButton* BitBtn1 = nullptr;  // OK
    QPushButton* BitBtn2 = nullptr;  // the Today button: back to today
    QPushButton* BitBtn3 = nullptr;  // help
    QFrame* Bevel1 = nullptr;        // the sunken box around the today button

    const platform::Clock& clock_;
    platform::Help& help_;
};

// The clock window's calendar command: creates the dialog, shows it
// modally and releases it when it closes.
void DoCalendar(QWidget* owner, const platform::Clock& clock, platform::Help& help);
