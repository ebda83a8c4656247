// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/dialog_help_key.h"

#include "shell/help_topics.h"

#include <QKeyEvent>
#include <QWidget>

DialogHelpKey::DialogHelpKey(platform::Help& help, QObject* parent) : QObject(parent), help_(help)
{}

bool DialogHelpKey::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::KeyPress || !watched->isWidgetType())
        return false;
    const auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() != Qt::Key_F1 || key->modifiers() != Qt::NoModifier)
        return false;
    const QWidget* window = static_cast<QWidget*>(watched)->window();
    const int context = DialogHelpContext(window->metaObject()->className());
    if (context == 0)
        return false;
    help_.ShowContext(context);
    return true;
}
