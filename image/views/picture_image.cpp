// SPDX-License-Identifier: GPL-3.0-or-later
#include "image/views/picture_image.h"

#include <QGuiApplication>
#include <QScreen>

QImage PictureToImage(const DibPicture& picture)
{
    if (picture.Empty())
        return {};
    QImage image(picture.Width, picture.Height, QImage::Format_RGB888);
    if (image.isNull())
        return {};
    for (int y = 0; y < picture.Height; ++y) {
        uchar* d = image.scanLine(y);
        if (picture.BitCount == 24) {
            const uint8_t* s = picture.TopRow(y);
            for (int x = 0; x < picture.Width; ++x, s += 3, d += 3) {
                d[0] = s[2];
                d[1] = s[1];
                d[2] = s[0];
            }
        } else {
            for (int x = 0; x < picture.Width; ++x, d += 3) {
                const RgbQuad q = picture.PixelAt(x, y);
                d[0] = q.Red;
                d[1] = q.Green;
                d[2] = q.Blue;
            }
        }
    }
    return image;
}

int ScreenBitsPerPixel()
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? screen->depth() : 24;
}
