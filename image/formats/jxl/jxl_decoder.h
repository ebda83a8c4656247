// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// JPEG XL through libjxl, the rows going straight into a bottom-up
// blue-green-red bitmap as the decoder makes them, turned as the file
// records; an alpha channel is left out. A CMYK picture (its black in an
// extra channel) comes through its profile in sRGB. An animated file gives
// its first frame.

#include "image/image_file.h"
#include "image/image_read.h"

#include <cstdint>
#include <span>
#include <string>

ImageRead DecodeJxl(std::span<const uint8_t> bytes);
ImageRead DecodeJxlFile(const ImageFile& file);
