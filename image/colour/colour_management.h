// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Pictures in the colours their files mean, through Little CMS: a tagged
// picture is converted to sRGB, the colours a screen is taken to show. The
// conversion is made once per profile and kept for the pictures after it.

#include "image/colour/colour_tag.h"
#include "image/picture.h"

#include <cstdint>
#include <functional>
#include <span>

// Converts the picture (24 bits a pixel, or a palette) to sRGB as its tag
// says. An untagged or sRGB picture, a profile that cannot be read (a damaged
// one, one larger than kMostIccBytes, one whose curves or primaries make
// every colour one), one of another kind than the picture (a CMYK profile on
// RGB numbers, a grey profile on a colour picture), or a conversion that
// would make the picture one flat colour: the picture stays as it is. True
// when it was converted.
bool ConvertToSrgb(DibPicture& picture, const ColourTag& tag);

// The same conversion a row at a time, in place, for rows of 24 bits a pixel
// (three bytes, blue first) of a colour picture; empty where ConvertToSrgb
// would leave the picture as it is, and for a grey profile. It may run on
// several threads at once.
using RowConversion = std::function<void(uint8_t* bgr, int pixels)>;
RowConversion RowConversionFor(const ColourTag& tag);

// Converts rows of CMYK, inverted as Adobe's JPEG files and JPEG XL hold it
// (0 is full ink), to sRGB, blue first: through the CMYK profile, or by the
// plain formula (each colour scaled by the black) when there is no profile,
// it cannot be read or it is no CMYK profile.
using CmykRowConversion = std::function<void(const uint8_t* cmyk, uint8_t* bgr, int pixels)>;
CmykRowConversion CmykConversionFor(std::span<const uint8_t> icc);
