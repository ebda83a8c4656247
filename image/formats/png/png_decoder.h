// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// PNG through libpng, decoded as the file is read straight into a bottom-up
// blue-green-red bitmap: palette, grey and 16-bit files are expanded to 8
// bits a channel, an alpha channel is left out. A picture recorded as taken
// turned (an eXIf chunk) is turned upright.
//
// With a hint that asks for less than the whole picture, the rows are reduced
// as they are read (made exactly the hint's size when it names a fit), so a
// large file is never held whole; an interlaced file, whose rows come in
// several passes, is read whole first.

#include "image/image_file.h"
#include "image/image_read.h"

#include <string>

ImageRead DecodePngFile(const ImageFile& file, const ScaleHint& hint = {});
