// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The written colour of a text where it reads on the palette's background,
// else the palette's own text colour: navy stays navy on the light palette and
// becomes the light text colour on a dark one.

#include <QColor>
#include <QPalette>

QColor ReadableOn(const QColor& written, const QPalette& palette, QPalette::ColorRole background = QPalette::Window,
                  QPalette::ColorRole text = QPalette::WindowText);

// The written colour on a light ground, where it was designed to stand; on a
// dark ground the same hue lightened until it reads (Sunday stays red).
QColor ReadableHue(const QColor& written, const QColor& ground);

// The contrast ratio of two colours (1 to 21).
double Contrast(const QColor& a, const QColor& b);
