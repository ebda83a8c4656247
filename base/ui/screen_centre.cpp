// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/ui/screen_centre.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

void CentreOnScreen(QWidget& window, const QScreen* screen)
{
    if (!screen)
        screen = window.screen() ? window.screen() : QGuiApplication::primaryScreen();
    if (screen)
        window.move(screen->availableGeometry().center() - window.rect().center());
}

void FixSizeAndCentre(QWidget& dialog)
{
    dialog.adjustSize();
    dialog.setFixedSize(dialog.size());
    CentreOnScreen(dialog, QGuiApplication::primaryScreen());
}
