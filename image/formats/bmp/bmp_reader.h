// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Windows and OS/2 bitmap files: 1, 4, 8, 16, 24 and 32 bits per pixel, RLE4
// and RLE8, bit-field masks, top-down rows, core (12-byte) headers. Indexed
// pictures keep their depth and palette; 16 and 32 bits become 24 bits.

#include "image/image_file.h"
#include "image/image_read.h"

#include <cstdint>
#include <span>
#include <string>

// Reads a bitmap file.
ImageRead ReadBmpFile(const ImageFile& file);

// Decodes bitmap file bytes (the 14-byte file header first); a failure is
// always NotValid.
ImageRead DecodeBmp(std::span<const uint8_t> bytes);
