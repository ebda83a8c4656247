// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The brands of an ISO base media file (HEIF, AVIF), which tell the two
// formats apart.

#include <cstdint>
#include <span>

enum class IsoImageBrand { None, Avif, Heif };

// An ISO base media file opens with its file type box: a major brand, a
// version, then the compatible brands. An AV1 brand anywhere makes it AVIF (a
// file may say "mif1" first and "avif" after); otherwise an image brand of HEIF.
IsoImageBrand IsoImageBrandOf(std::span<const uint8_t> head);
