// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// WebP through libwebp, decoded straight into a bottom-up blue-green-red
// bitmap, an alpha channel left out. An animated file gives its first frame
// as the animation shows it.

#include "image/image_file.h"
#include "image/image_read.h"

#include <cstdint>
#include <span>
#include <string>

// With a hint, a still picture is decoded scaled down to the smallest size
// that meets it.
ImageRead DecodeWebp(std::span<const uint8_t> bytes, const ScaleHint& hint = {});
ImageRead DecodeWebpFile(const ImageFile& file, const ScaleHint& hint = {});
