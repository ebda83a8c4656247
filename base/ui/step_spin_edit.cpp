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
    // Stepping, and the keys the dialog itself answers (Enter for OK, Esc for Cancel).
    if (key == Qt::Key_Up || key == Qt::Key_Down || key == Qt::Key_Return || key == Qt::Key_Enter ||
        key == Qt::Key_Escape || key == Qt::Key_Tab || key == Qt::Key_Backtab) {
        QSpinBox::keyPressEvent(event);
        return;
    }
    // Access keys of the dialog's buttons pass on untouched.
    if (event->modifiers() & Qt::AltModifier) {
        event->ignore();
        return;
    }
    // Digits and their corrections are typed into the field; the spin box
    // keeps the typed value inside the range.
    const bool digit = event->text().size() == 1 && event->text().at(0).isDigit() &&
                       !(event->modifiers() & Qt::ControlModifier);
    if (digit || key == Qt::Key_Backspace || key == Qt::Key_Delete || key == Qt::Key_Left || key == Qt::Key_Right ||
        key == Qt::Key_Home || key == Qt::Key_End) {
        QSpinBox::keyPressEvent(event);
        return;
    }
    // Anything else that would change the text is refused; so are the page
    // keys, which would step by more than one step.
    const bool edits = key == Qt::Key_PageUp || key == Qt::Key_PageDown || !event->text().isEmpty() ||
                       event->matches(QKeySequence::Paste) || event->matches(QKeySequence::Cut);
    if (edits) {
        QApplication::beep();
        emit Refused();
        event->accept();
        return;
    }
    event->ignore();
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
