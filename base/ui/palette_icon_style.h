// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The application's style with standard icons (Close, Play, folders...) that
// follow the palette: on a dark palette their dark strokes turn light
// (ReadableIcon). Set once on the application, over the style in use.

#include <QProxyStyle>

class PaletteIconStyle : public QProxyStyle {
    Q_OBJECT
public:
    using QProxyStyle::QProxyStyle;

    QIcon standardIcon(StandardPixmap standardIcon, const QStyleOption* option = nullptr,
                       const QWidget* widget = nullptr) const override;
};
