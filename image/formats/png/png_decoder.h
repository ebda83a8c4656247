// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// PNG through libpng, decoded as the file is read straight into a bottom-up
// blue-green-red bitmap: palette, grey and 16-bit files are expanded to 8
// bits a channel, an alpha channel is left out.

#include "image/image_read.h"

#include <string>

ImageRead DecodePngFile(const std::string& path);
