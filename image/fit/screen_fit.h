// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A picture made exactly the size of a screen in one of the fits of
// image_read.h. The picture is reduced by averaging every source pixel over
// the area it covers, and enlarged by linear interpolation.

#include "image/image_read.h"
#include "image/picture.h"

#include <optional>

// Which part of the picture is shown (in source pixels, fractions allowed)
// and where on the screen it goes.
struct FitPlacement {
    double srcX = 0, srcY = 0, srcW = 0, srcH = 0;
    int dstX = 0, dstY = 0, dstW = 0, dstH = 0;
};

FitPlacement PlaceOnScreen(ScreenFit fit, int pictureW, int pictureH, int screenW, int screenH);

// The smallest picture a reader needs to decode for the fit; a reader that
// can may make it the screen's size itself.
ScaleHint ScaleHintFor(ScreenFit fit, int screenW, int screenH);

// What a picture of w x h is reduced to for a hint that asks for less: with
// a fit named (and `mayFit`: the picture is shown as stored), the screen's
// size in that fit; otherwise the smallest picture in its own proportions
// that meets the hint, stretched to it. Nothing when the hint wants the
// whole picture or the picture is no larger than it needs.
struct Reduction {
    int Width, Height;
    ScreenFit Fit;
};
std::optional<Reduction> ReductionFor(int w, int h, const ScaleHint& hint, bool mayFit);

// `out` becomes a 24-bit picture of exactly screenW x screenH. False, `out`
// empty, for an empty picture, a screen size out of bounds or no memory.
bool FitToScreen(const DibPicture& picture, ScreenFit fit, int screenW, int screenH, DibPicture& out);
