// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// AVIF pictures through libavif, which follows the AVIF rules where libheif
// does not: the range of grey pictures, operating points and layers. The
// first picture (of a sequence too) is decoded, cropped, turned and mirrored
// as the container says (or, without its own turn or mirror, as its Exif
// block says) into a bottom-up blue-green-red bitmap; an alpha channel is
// left out. Without libavif the file goes to libheif.

#include "image/image_file.h"
#include "image/image_read.h"

#include <cstdint>
#include <span>
#include <string>

ImageRead DecodeAvif(std::span<const uint8_t> bytes, const ScaleHint& hint = {});
ImageRead DecodeAvifFile(const ImageFile& file, const ScaleHint& hint = {});
