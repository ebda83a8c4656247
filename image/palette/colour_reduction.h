// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Changing a picture's depth: palettes to true colour, true colour to 256 or
// 16 colours through libimagequant (dithered on request), anything to black
// and white by error diffusion, and to an 8-bit grey scale.

#include "image/picture.h"

// The picture at exactly `bitCount` bits (1, 4, 8 or 24). Indexed pictures
// that fit keep their palette; others are quantised. False, leaving `out`
// empty, for an empty source, a depth not listed or a failed quantisation.
bool ConvertToDepth(const DibPicture& src, int bitCount, bool dither, DibPicture& out);

// Every pixel as blue, green, red.
bool ToTrueColour(const DibPicture& src, DibPicture& out);

// At most `colours` (2..256) colours, at 8 bits (more than 16 colours) or 4.
bool ReduceColours(const DibPicture& src, int colours, bool dither, DibPicture& out);

// Black and white, Floyd-Steinberg error diffusion over the luminance.
bool ToMonochrome(const DibPicture& src, DibPicture& out);

// An 8-bit grey-scale palette picture.
bool ToGreyScale(const DibPicture& src, DibPicture& out);
