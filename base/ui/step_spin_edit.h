// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The number fields of the alarm and options dialogs. Digits can be typed
// (Backspace and Delete correct them); any other character is refused with
// the system beep. The arrow buttons and the Up and Down keys add or subtract
// the step and stop at the ends. Every value, stepped, typed or set, is held
// to the range; a value inside the range that is off the step stays as it is
// (37 in 0..55 step 5 stays 37, then steps to 42, 47, 52 and 55).

#include <QSpinBox>

class StepSpinEdit : public QSpinBox {
    Q_OBJECT
public:
    StepSpinEdit(int minimum, int maximum, int step = 1, QWidget* parent = nullptr);

    // Shows the value with at least `digits` digits, zeros in front ("07"):
    // the minute fields use two.
    void SetMinimumDigits(int digits);

signals:
    // A key was refused (the beep has sounded).
    void Refused();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    QString textFromValue(int value) const override;

private:
    int digits_ = 1;
};
