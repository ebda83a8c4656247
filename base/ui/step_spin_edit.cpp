// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/ui/step_spin_edit.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>

StepSpinEdit::StepSpinEdit(int minimum, int maximum, int step, QWidget* parent) : QSpinBox(parent)
{
    setRange(minimum, maximum);
    setSingleStep(step);
    setValue(minimum);
    setWrapping(false);
    setAccelerated(false);
    // Nothing may reach the text by the back door either: no paste menu, no drops.
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
    // Anything that would change the text is refused; so are the page keys,
    // which would step by more than one step.
    const bool edits = key == Qt::Key_Backspace || key == Qt::Key_Delete || key == Qt::Key_PageUp ||
                       key == Qt::Key_PageDown || !event->text().isEmpty() || event->matches(QKeySequence::Paste) ||
                       event->matches(QKeySequence::Cut);
    if (edits) {
        QApplication::beep();
        emit Refused();
        event->accept();
        return;
    }
    event->ignore();
}
