// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/ui/readable_glyph.h"

#include "base/ui/readable_colour.h"

#include <QHash>

#include <algorithm>

QImage ReadableGlyph(const QImage& glyph, const QColor& ground)
{
    if (glyph.isNull() || ground.lightnessF() >= 0.5)
        return glyph;
    QImage image = glyph.convertToFormat(QImage::Format_ARGB32);
    QHash<QRgb, QRgb> made;  // a glyph has few colours
    for (int y = 0; y < image.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            const QRgb pixel = line[x];
            if (qAlpha(pixel) == 0)
                continue;
            const QRgb colour = pixel | 0xFF000000u;
            auto found = made.find(colour);
            if (found == made.end())
                found = made.insert(colour, ReadableHue(QColor::fromRgb(colour), ground).rgb());
            line[x] = (found.value() & 0x00FFFFFFu) | (pixel & 0xFF000000u);
        }
    }
    return image;
}

QPixmap ReadableGlyph(const QPixmap& glyph, const QColor& ground)
{
    if (glyph.isNull() || ground.lightnessF() >= 0.5)
        return glyph;
    QPixmap made = QPixmap::fromImage(ReadableGlyph(glyph.toImage(), ground));
    made.setDevicePixelRatio(glyph.devicePixelRatio());
    return made;
}

QIcon ReadableIcon(const QIcon& icon, const QColor& ground)
{
    if (icon.isNull() || ground.lightnessF() >= 0.5)
        return icon;
    QList<QSize> sizes = icon.availableSizes();
    if (sizes.isEmpty())
        sizes = {QSize(16, 16), QSize(32, 32), QSize(64, 64)};
    QIcon made;
    for (const QSize& size : sizes)
        for (const QIcon::Mode mode : {QIcon::Normal, QIcon::Disabled, QIcon::Active})
            made.addPixmap(ReadableGlyph(icon.pixmap(size, 1.0, mode), ground), mode);
    return made;
}

double GlyphContrast(const QImage& glyph, const QColor& ground)
{
    const QImage image = glyph.convertToFormat(QImage::Format_ARGB32);
    double best = 1.0;
    for (int y = 0; y < image.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x)
            if (qAlpha(line[x]) > 128)
                best = std::max(best, Contrast(QColor::fromRgb(line[x]), ground));
    }
    return best;
}
