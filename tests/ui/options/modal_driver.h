// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Drives modal dialogs from inside their own loop: the action runs once the
// next modal window (other than `previous`) is up.

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QTimer>
#include <QWidget>

#include <functional>

template <class Dialog = QDialog>
void OnNextModal(std::function<void(Dialog&)> action, QWidget* previous = nullptr, int triesLeft = 200)
{
    QTimer::singleShot(10, [action, previous, triesLeft] {
        QWidget* modal = QApplication::activeModalWidget();
        auto* dialog = qobject_cast<Dialog*>(modal);
        if (!dialog || modal == previous) {
            if (triesLeft > 0)
                OnNextModal<Dialog>(action, previous, triesLeft - 1);
            return;
        }
        action(*dialog);
    });
}

// Renders a widget to ZELVARO_TEST_OUT (or the temporary directory) as PNG.
inline void SaveShot(QWidget& widget, const QString& name)
{
    const QString dir = qEnvironmentVariable("ZELVARO_TEST_OUT", QDir::tempPath());
    QDir().mkpath(dir);
    widget.grab().save(dir + QStringLiteral("/") + name + QStringLiteral(".png"));
}
