// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/modal_dialogs_stay_up.h"

#include <QEvent>
#include <QPointer>
#include <QTimer>
#include <QWidget>

bool ModalDialogsStayUp::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::WindowStateChange && watched->isWidgetType()) {
        auto* window = static_cast<QWidget*>(watched);
        if (window->isWindow() && window->isModal() && window->isMinimized()) {
            // After the state change has run its course.
            QTimer::singleShot(0, window, [dialog = QPointer<QWidget>(window)] {
                if (!dialog || !dialog->isMinimized())
                    return;
                dialog->setWindowState(dialog->windowState() & ~Qt::WindowMinimized);
                dialog->show();
                dialog->raise();
                dialog->activateWindow();
            });
        }
    }
    return QObject::eventFilter(watched, event);
}
