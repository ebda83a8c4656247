// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// JPEG through libjpeg-turbo, decoded straight into a bottom-up blue-green-red
// bitmap (greyscale files into an 8-bit grey palette), so the bitmap file is
// one header and one block away. A file is decoded as it is read, so nothing
// but the picture is held in memory. On a machine of two cores or more, a
// large baseline file is decoded by two decoders at once: the second passes
// over the upper rows without making pixels of them and decodes the lower
// third, through its own reading of the same file.

#include "image/image_file.h"
#include "image/image_read.h"

#include <cstdint>
#include <span>
#include <string>

// Corrupt entropy data decodes to what libjpeg-turbo recovers; a header it
// cannot read or a picture over the pixel limit is a failure.
// With a hint, the picture is decoded at the fewest eighths of its size
// (libjpeg-turbo's scaled decoding) that still meet it.
ImageRead DecodeJpeg(std::span<const uint8_t> bytes, const ScaleHint& hint = {});
ImageRead DecodeJpegFile(const ImageFile& file, const ScaleHint& hint = {});
