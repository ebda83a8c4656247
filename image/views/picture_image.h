// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The held picture as a QImage for drawing.

#include "image/picture.h"

#include <QImage>

// A deep copy in RGB888 (a null image for an empty picture).
QImage PictureToImage(const DibPicture& picture);

// The display's bits per pixel as the image component wants it (24 without a screen).
int ScreenBitsPerPixel();
