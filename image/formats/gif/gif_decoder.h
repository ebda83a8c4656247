// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// GIF through giflib: the first frame on its logical screen, as an 8-bit
// picture with the file's colour map. Frames reaching outside the screen are
// clipped; transparent pixels show the screen's background colour.

#include "image/image_file.h"
#include "image/image_read.h"

#include <cstdint>
#include <span>
#include <string>

ImageRead DecodeGif(std::span<const uint8_t> bytes);
ImageRead DecodeGifFile(const ImageFile& file);
