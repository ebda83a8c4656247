// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The user's alarm picture (`AlarmBmp`), read with the project's BMP reader.

#include <QImage>

#include <string>

// Reads a BMP file into a picture for the notice. A file that cannot be opened
// raises "ﾌｧｲﾙ %s は開けません" with its name; one that is not a valid bitmap
// (a broken or lying header, a picture over the size limit) raises
// "ﾋﾞｯﾄﾏｯﾌﾟｲﾒｰｼﾞが不正です". Nothing large is allocated before the header passed.
QImage LoadAlarmBitmap(const std::string& path);
