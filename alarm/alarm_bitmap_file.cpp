#include "alarm/alarm_bitmap_file.h"

#include "shell/zelvaro_error.h"
#include "wallpaper/bmp_reader.h"

#include <cstring>

namespace {

// The picture as the control paints it fastest: 32-bit RGB, top row first.
QImage ToImage(const TPicture& picture)
{
    QImage image(picture.Width, picture.Height, QImage::Format_RGB32);
    if (image.isNull())  // no memory for it
        throw ZelvaroError("ﾋﾞｯﾄﾏｯﾌﾟｲﾒｰｼﾞが不正です");
    QRgb table[256];
    for (unsigned i = 0; i < 256; ++i) {
        const TRgbQuad c = picture.PaletteColour(i);
        table[i] = qRgb(c.Red, c.Green, c.Blue);
    }
    for (int y = 0; y < picture.Height; ++y) {
        const uint8_t* row = picture.TopRow(y);
        auto* out = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < picture.Width; ++x) {
            switch (picture.BitCount) {
            case 24:
                out[x] = qRgb(row[3 * x + 2], row[3 * x + 1], row[3 * x]);
                break;
            case 8:
                out[x] = table[row[x]];
                break;
            case 4:
                out[x] = table[(row[x / 2] >> (x % 2 == 0 ? 4 : 0)) & 0x0f];
                break;
            case 1:
                out[x] = table[(row[x / 8] >> (7 - x % 8)) & 1];
                break;
            default:
                throw ZelvaroError("ﾋﾞｯﾄﾏｯﾌﾟｲﾒｰｼﾞが不正です");
            }
        }
    }
    return image;
}

}  // namespace

QImage LoadAlarmBitmap(const std::string& path)
{
    const TBmpReadResult read = ReadBmpFile(path);
    switch (read.Error) {
    case TBmpReadError::None:
        break;
    case TBmpReadError::CannotOpen:
        throw ZelvaroError(FormatMessage1("ﾌｧｲﾙ %s は開けません", path));
    case TBmpReadError::NotValidBitmap:
        throw ZelvaroError("ﾋﾞｯﾄﾏｯﾌﾟｲﾒｰｼﾞが不正です");
    }
    if (read.Picture.Empty())
        throw ZelvaroError("ﾋﾞｯﾄﾏｯﾌﾟｲﾒｰｼﾞが不正です");
    return ToImage(read.Picture);
}
