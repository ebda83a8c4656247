// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// HEIF pictures through libheif: HEIC photos (HEVC), and AVIF files (AV1)
// where libavif is missing (avif_decoder.h). The primary picture is decoded with the turns, mirrors and crop the
// file records, so a photo taken upright is upright, into a bottom-up
// blue-green-red bitmap; an alpha channel is left out. With a scale hint the
// upright picture is averaged over whole blocks of pixels (2 x 2, 3 x 3, ...)
// as long as it stays large enough, since libheif itself decodes only at
// full size.

#include "image/image_file.h"
#include "image/image_read.h"

#include <cstdint>
#include <span>
#include <string>

ImageRead DecodeHeif(std::span<const uint8_t> bytes, const ScaleHint& hint = {});
// The same for the file's top-level picture `topLevelIndex` (counted from 0
// in the file's order) in place of its primary one: the pictures of a dynamic
// wallpaper.
ImageRead DecodeHeifPicture(std::span<const uint8_t> bytes, int topLevelIndex, const ScaleHint& hint = {});
ImageRead DecodeHeifFile(const ImageFile& file, const ScaleHint& hint = {});
