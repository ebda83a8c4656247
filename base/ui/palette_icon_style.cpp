// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/ui/palette_icon_style.h"

#include "base/ui/readable_glyph.h"

#include <QApplication>
#include <QStyleOption>
#include <QWidget>

QIcon PaletteIconStyle::standardIcon(StandardPixmap standardIcon, const QStyleOption* option,
                                     const QWidget* widget) const
{
    const QPalette palette = option ? option->palette : widget ? widget->palette() : QApplication::palette();
    return ReadableIcon(QProxyStyle::standardIcon(standardIcon, option, widget), palette.color(QPalette::Button));
}
