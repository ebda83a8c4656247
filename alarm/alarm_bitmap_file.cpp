// SPDX-License-Identifier: GPL-3.0-or-later
#include "alarm/alarm_bitmap_file.h"

#include "base/translatable.h"
#include "base/zelvaro_error.h"
#include "image/formats/bmp/bmp_reader.h"
#include "image/views/picture_image.h"

namespace {

constexpr const char* kCannotOpen = QT_TRANSLATE_NOOP("Messages", "ﾌｧｲﾙ %s は開けません");
constexpr const char* kNotValidBitmap = QT_TRANSLATE_NOOP("Messages", "ﾋﾞｯﾄﾏｯﾌﾟｲﾒｰｼﾞが不正です");

}  // namespace

QImage LoadAlarmBitmap(const std::string& path)
{
    // The reader checks the header's size against its limit before it
    // allocates anything, so a lying header costs nothing.
    const ImageRead read = ReadBmpFile(path);
    if (read.Failure == ReadFailure::Missing || read.Failure == ReadFailure::Unreadable)
        throw ZelvaroError(kCannotOpen, path);
    if (!read.Ok())
        throw ZelvaroError(kNotValidBitmap);
    QImage image = PictureToImage(read.Picture);
    if (image.isNull())  // empty, or no memory for it
        throw ZelvaroError(kNotValidBitmap);
    return image;
}
