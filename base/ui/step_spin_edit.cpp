// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/ui/step_spin_edit.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QSignalBlocker>

StepSpinEdit::StepSpinEdit(int minimum, int maximum, int step, QWidget* parent) : QSpinBox(parent)
{
    setRange(minimum, maximum);
    setSingleStep(step);
    setValue(minimum);
    setWrapping(false);
    setAccelerated(false);
    // Only typed digits reach the text: no paste menu, no drops.
    lineEdit()->setContextMenuPolicy(Qt::NoContextMenu);
    lineEdit()->setAcceptDrops(false);
    setAcceptDrops(false);
}

void StepSpinEdit::keyPressEvent(QKeyEvent* event)
{
    const int key = event->key();
    // Access keys of the dialog's buttons pass on untouched.
    if (event->modifiers() & Qt::AltModifier) {
        event->ignore();
        return;
    }
    // A character other than a digit is refused, and so are the page keys,
    // which would step by more than one step. Digits, their corrections, the
    // cursor and editing shortcuts, stepping and the dialog's own keys (Enter
    // for OK, Esc for Cancel) go on; the spin box keeps a typed value inside
    // the range.
    const QString text = event->text();
    const bool character = text.size() == 1 && text.at(0).isPrint() && !(event->modifiers() & Qt::ControlModifier);
    const bool refused = key == Qt::Key_PageUp || key == Qt::Key_PageDown || (character && !text.at(0).isDigit());
    if (refused) {
        QApplication::beep();
        emit Refused();
        event->accept();
        return;
    }
    QSpinBox::keyPressEvent(event);
}

void StepSpinEdit::SetMinimumDigits(int digits)
{
    digits_ = digits;
    const int shown = value();
    const QSignalBlocker quiet(this);
    setValue(shown == minimum() ? maximum() : minimum());  // the text is made anew on a change only
    setValue(shown);
}

QString StepSpinEdit::textFromValue(int value) const
{
    return QString::number(value).rightJustified(digits_, QLatin1Char('0'));
}
