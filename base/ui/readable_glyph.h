// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Glyphs and icons that follow the palette: on a dark ground every colour of
// a glyph that would not read there (contrast under 4.5:1) is lightened in
// its own hue, so dark strokes become light ones; on a light ground, where
// the glyphs were drawn to stand, nothing changes.

#include <QColor>
#include <QIcon>
#include <QImage>
#include <QPixmap>

QImage ReadableGlyph(const QImage& glyph, const QColor& ground);
QPixmap ReadableGlyph(const QPixmap& glyph, const QColor& ground);
// Every size the icon holds, each made readable.
QIcon ReadableIcon(const QIcon& icon, const QColor& ground);

// The contrast of the glyph's strongest colour on `ground` (its strokes),
// over the pixels that are more than half opaque; 1 for an empty glyph.
double GlyphContrast(const QImage& glyph, const QColor& ground);
