// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The cross-fade of two pictures of one size: each pixel `fraction` of the
// way from the first to the second.

#include "image/picture.h"

// False, `out` empty, unless both are 24-bit pictures of the same size.
bool BlendPictures(const DibPicture& first, const DibPicture& second, double fraction, DibPicture& out);
