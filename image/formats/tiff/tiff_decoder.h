// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// TIFF through libtiff's RGBA interface, which reads every variant libtiff
// knows (strips, tiles, LZW, Deflate, PackBits, JPEG, palette, grey, 16-bit
// samples, any orientation); the first image of the file as 24 bits.

#include "image/image_file.h"
#include "image/image_read.h"

#include <cstdint>
#include <span>
#include <string>

ImageRead DecodeTiff(std::span<const uint8_t> bytes);
// Reads the file through libtiff's own file access (mapped, not copied).
ImageRead DecodeTiffFile(const ImageFile& file);
