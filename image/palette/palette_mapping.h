// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Mapping a true-colour picture onto a given palette, with Floyd-Steinberg
// error diffusion when asked. libimagequant chooses the palette; mapping the
// pixels here with a nearest-colour cache is several times faster than its
// own remapping, which matters while the user waits for the wallpaper.

#include "image/picture.h"

#include <span>

// `src` is 24 bits; `out` becomes a picture of `bits` (4 or 8) holding
// `palette`. False for an empty source or palette, or a palette too large.
bool MapToPalette(const DibPicture& src, std::span<const RgbQuad> palette, int bits, bool dither, DibPicture& out);
