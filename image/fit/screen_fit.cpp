// SPDX-License-Identifier: GPL-3.0-or-later
#include "image/fit/screen_fit.h"

#include "image/fit/resize_taps.h"
#include "image/formats/two_threads.h"
#include "image/palette/colour_reduction.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

// Output rows [from, to) of the placed part; `src` is 24-bit.
bool ResizeRows(const DibPicture& src, const Taps& xs, const Taps& ys, int colFirst, int colCount,
                const FitPlacement& p, DibPicture& out, int from, int to)
{
    std::vector<uint32_t> acc(static_cast<size_t>(colCount) * 3);
    const auto row = [&](int y) { return src.TopRow(y) + static_cast<size_t>(colFirst) * 3; };
    for (int oy = from; oy < to; ++oy)
        ResizeRow(xs, ys, oy, colFirst, row, acc, out.TopRow(p.dstY + oy) + static_cast<size_t>(p.dstX) * 3);
    return true;
}

}  // namespace

FitPlacement PlaceOnScreen(ScreenFit fit, int pictureW, int pictureH, int screenW, int screenH)
{
    FitPlacement p;
    p.srcW = pictureW, p.srcH = pictureH;
    p.dstW = screenW, p.dstH = screenH;
    if (pictureW <= 0 || pictureH <= 0 || screenW <= 0 || screenH <= 0)
        return p;
    const double sx = static_cast<double>(screenW) / pictureW, sy = static_cast<double>(screenH) / pictureH;
    if (fit == ScreenFit::Fill) {
        const double f = std::max(sx, sy);
        p.srcW = std::min<double>(pictureW, screenW / f);
        p.srcH = std::min<double>(pictureH, screenH / f);
        p.srcX = (pictureW - p.srcW) / 2;
        p.srcY = (pictureH - p.srcH) / 2;
    } else if (fit == ScreenFit::Fit) {
        const double f = std::min(sx, sy);
        p.dstW = std::clamp(static_cast<int>(std::lround(pictureW * f)), 1, screenW);
        p.dstH = std::clamp(static_cast<int>(std::lround(pictureH * f)), 1, screenH);
        p.dstX = (screenW - p.dstW) / 2;
        p.dstY = (screenH - p.dstH) / 2;
    }
    return p;
}

ScaleHint ScaleHintFor(ScreenFit fit, int screenW, int screenH)
{
    return {screenW, screenH, fit != ScreenFit::Fit, fit};
}

std::optional<Reduction> ReductionFor(int w, int h, const ScaleHint& hint, bool mayFit)
{
    if (!hint.Wanted() || w <= 0 || h <= 0)
        return std::nullopt;
    const double fx = static_cast<double>(hint.Width) / w, fy = static_cast<double>(hint.Height) / h;
    const double f = hint.Cover ? std::max(fx, fy) : std::min(fx, fy);
    if (f >= 1)
        return std::nullopt;
    if (hint.Fit && mayFit)
        return Reduction{hint.Width, hint.Height, *hint.Fit};
    // A side that the factor makes whole stays whole, not one more.
    const auto side = [f](int n) { return std::clamp(static_cast<int>(std::ceil(n * f - 1e-9)), 1, n); };
    return Reduction{side(w), side(h), ScreenFit::Stretch};
}

bool FitToScreen(const DibPicture& picture, ScreenFit fit, int screenW, int screenH, DibPicture& out)
{
    out.Clear();
    if (picture.Empty())
        return false;
    DibPicture expanded;
    if (picture.BitCount != 24 && !ToTrueColour(picture, expanded))
        return false;
    const DibPicture& src = picture.BitCount == 24 ? picture : expanded;
    // A picture already the screen's size is the screen in every mode.
    if (src.Width == screenW && src.Height == screenH) {
        out = src;
        return true;
    }
    if (!out.Allocate(screenW, screenH, 24))  // black where the picture does not reach
        return false;
    const FitPlacement p = PlaceOnScreen(fit, src.Width, src.Height, screenW, screenH);
    const Taps xs = MakeTaps(p.srcX, p.srcW, p.dstW, src.Width);
    const Taps ys = MakeTaps(p.srcY, p.srcH, p.dstH, src.Height);
    const int colFirst = xs.SourceFirst();
    const int colCount = xs.SourceEnd() - colFirst;
    // The rows are shared between two threads on a large screen.
    const int half = p.dstH / 2;
    auto top = [&] { return ResizeRows(src, xs, ys, colFirst, colCount, p, out, 0, half); };
    auto bottom = [&] { return ResizeRows(src, xs, ys, colFirst, colCount, p, out, half, p.dstH); };
    if (static_cast<int64_t>(p.dstW) * p.dstH < (int64_t{1} << 18))
        return top() && bottom();
    const TwoThreadResult r = RunOnTwoThreads(top, bottom);
    return r.here && r.there;
}
