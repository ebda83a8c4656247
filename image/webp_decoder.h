// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// WebP through libwebp, decoded straight into a bottom-up blue-green-red
// bitmap, an alpha channel left out. An animated file gives its first frame
// as the animation shows it.

#include "image/image_read.h"

#include <cstdint>
#include <span>
#include <string>

ImageRead DecodeWebp(std::span<const uint8_t> bytes);
ImageRead DecodeWebpFile(const std::string& path);
