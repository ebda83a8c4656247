// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// HEIF pictures through libheif: HEIC photos (HEVC) and AVIF files (AV1)
// alike. The primary picture is decoded with the turns, mirrors and crop the
// file records, so a photo taken upright is upright, into a bottom-up
// blue-green-red bitmap; an alpha channel is left out.

#include "image/image_read.h"

#include <cstdint>
#include <span>
#include <string>

ImageRead DecodeHeif(std::span<const uint8_t> bytes);
ImageRead DecodeHeifFile(const std::string& path);
