// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/ui/readable_colour.h"

#include "base/contrast.h"

double Contrast(const QColor& a, const QColor& b)
{
    return ContrastRatio(a.rgb() & 0xFFFFFF, b.rgb() & 0xFFFFFF);
}

QColor ReadableOn(const QColor& written, const QPalette& palette, QPalette::ColorRole background,
                  QPalette::ColorRole text)
{
    const QColor ground = palette.color(background);
    if (Contrast(written, ground) >= kReadableContrast)
        return written;
    const QColor own = palette.color(text);
    if (Contrast(own, ground) >= kReadableContrast)
        return own;
    // A palette whose own text does not read either: black or white, the better.
    return Contrast(Qt::black, ground) >= Contrast(Qt::white, ground) ? QColor(Qt::black) : QColor(Qt::white);
}

QColor ReadableHue(const QColor& written, const QColor& ground)
{
    if (ground.lightnessF() >= 0.5 || Contrast(written, ground) >= kReadableContrast)
        return written;
    for (int step = 1; step <= 10; ++step) {
        const qreal t = step / 10.0;
        const QColor lighter = QColor::fromRgbF(written.redF() + (1 - written.redF()) * t,
                                                written.greenF() + (1 - written.greenF()) * t,
                                                written.blueF() + (1 - written.blueF()) * t);
        if (Contrast(lighter, ground) >= kReadableContrast)
            return lighter;
    }
    return Qt::white;
}
