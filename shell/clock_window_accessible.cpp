// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/clock_window_accessible.h"

#include <QAccessibleWidget>
#include <QWidget>

QAccessibleInterface* ClockWindowAccessibleFactory(const QString& className, QObject* object)
{
    // A plain top-level widget is a pane ("filler") to the bridge; a window role makes it a frame.
    if (className == QLatin1String("TfrmClock") && object && object->isWidgetType())
        return new QAccessibleWidget(static_cast<QWidget*>(object), QAccessible::Window);
    return nullptr;
}
