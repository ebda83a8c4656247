#pragma once
// The alarm dialog's number fields: they cannot be typed into. A typed
// character, Backspace or Delete is refused with the system beep; the arrow
// buttons and the Up and Down keys step the value and stop at the ends.

#include <QSpinBox>

class AlarmSpinEdit : public QSpinBox {
    Q_OBJECT
public:
    AlarmSpinEdit(int minimum, int maximum, QWidget* parent = nullptr);

signals:
    // A key was refused (the beep has sounded).
    void Refused();

protected:
    void keyPressEvent(QKeyEvent* event) override;
};
