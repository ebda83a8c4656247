// SPDX-License-Identifier: GPL-3.0-or-later
#include "image/screen_fit.h"

#include "image/colour_reduction.h"
#include "image/two_threads.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <utility>
#include <vector>

namespace {

// Weights of one output pixel's source pixels along one axis, summing to
// kOne; `first` is the first source index, `weights` one per index from it.
constexpr int kWeightBits = 14;
constexpr int kOne = 1 << kWeightBits;

struct Taps {
    std::vector<int> first;
    std::vector<int> count;
    std::vector<int> weights;  // kMaxTaps per output
    int maxTaps = 0;
};

Taps MakeTaps(double start, double length, int outputs, int sourceSize)
{
    Taps t;
    const double step = outputs > 0 ? length / outputs : 1;
    t.maxTaps = step > 1 ? static_cast<int>(std::ceil(step)) + 2 : 2;
    t.first.resize(outputs);
    t.count.resize(outputs);
    t.weights.assign(static_cast<size_t>(outputs) * t.maxTaps, 0);
    std::vector<double> w(t.maxTaps);
    std::vector<std::pair<int, double>> raw;
    for (int i = 0; i < outputs; ++i) {
        raw.clear();
        if (step > 1) {  // reducing: the area each source pixel covers
            const double a = start + i * step, b = a + step;
            const int from = static_cast<int>(std::floor(a));
            const int last = std::min(static_cast<int>(std::ceil(b)) - 1, from + t.maxTaps - 1);
            for (int j = from; j <= last; ++j)
                raw.emplace_back(j, std::max(0.0, std::min(b, j + 1.0) - std::max(a, static_cast<double>(j))));
        } else {  // enlarging: between the two nearest source pixels
            const double c = start + (i + 0.5) * step - 0.5;
            const int j = static_cast<int>(std::floor(c));
            raw.emplace_back(j, 1 - (c - j));
            raw.emplace_back(j + 1, c - j);
        }
        // Indices past the picture's edges take the edge pixel.
        int first = sourceSize, last = -1;
        for (auto& [j, weight] : raw) {
            j = std::clamp(j, 0, sourceSize - 1);
            first = std::min(first, j), last = std::max(last, j);
        }
        const int n = last - first + 1;
        std::fill(w.begin(), w.end(), 0.0);
        for (const auto& [j, weight] : raw)
            w[j - first] += weight;
        double sum = 0;
        for (int k = 0; k < n; ++k)
            sum += w[k];
        int given = 0;
        for (int k = 0; k < n; ++k) {
            const int v = sum > 0 ? static_cast<int>(std::lround(w[k] / sum * kOne)) : (k == 0 ? kOne : 0);
            t.weights[static_cast<size_t>(i) * t.maxTaps + k] = v;
            given += v;
        }
        t.weights[static_cast<size_t>(i) * t.maxTaps] += kOne - given;  // the rounding's remainder
        t.first[i] = first;
        t.count[i] = n;
    }
    return t;
}

// Output rows [from, to) of the placed part; `src` is 24-bit.
bool ResizeRows(const DibPicture& src, const Taps& xs, const Taps& ys, int colFirst, int colCount,
                const FitPlacement& p, DibPicture& out, int from, int to)
{
    std::vector<uint32_t> acc(static_cast<size_t>(colCount) * 3);
    for (int oy = from; oy < to; ++oy) {
        std::fill(acc.begin(), acc.end(), 0u);
        const int* wy = &ys.weights[static_cast<size_t>(oy) * ys.maxTaps];
        for (int k = 0; k < ys.count[oy]; ++k) {
            const uint32_t w = static_cast<uint32_t>(wy[k]);
            if (w == 0)
                continue;
            const uint8_t* s = src.TopRow(ys.first[oy] + k) + static_cast<size_t>(colFirst) * 3;
            for (size_t i = 0; i < acc.size(); ++i)
                acc[i] += w * s[i];
        }
        for (uint32_t& a : acc)
            a >>= 6;  // 8 bits of value and 8 of fraction left
        uint8_t* d = out.TopRow(p.dstY + oy) + static_cast<size_t>(p.dstX) * 3;
        for (int ox = 0; ox < p.dstW; ++ox, d += 3) {
            const int* wx = &xs.weights[static_cast<size_t>(ox) * xs.maxTaps];
            const uint32_t* a = &acc[static_cast<size_t>(xs.first[ox] - colFirst) * 3];
            uint32_t b = 0, g = 0, r = 0;
            for (int k = 0; k < xs.count[ox]; ++k, a += 3) {
                const uint32_t w = static_cast<uint32_t>(wx[k]);
                b += w * a[0], g += w * a[1], r += w * a[2];
            }
            constexpr int kShift = kWeightBits + 8;
            constexpr uint32_t kHalf = 1u << (kShift - 1);
            d[0] = static_cast<uint8_t>(std::min<uint32_t>((b + kHalf) >> kShift, 255));
            d[1] = static_cast<uint8_t>(std::min<uint32_t>((g + kHalf) >> kShift, 255));
            d[2] = static_cast<uint8_t>(std::min<uint32_t>((r + kHalf) >> kShift, 255));
        }
    }
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
    return {screenW, screenH, fit != ScreenFit::Fit};
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
    if (!out.Allocate(screenW, screenH, 24))  // black where the picture does not reach
        return false;
    const FitPlacement p = PlaceOnScreen(fit, src.Width, src.Height, screenW, screenH);
    const Taps xs = MakeTaps(p.srcX, p.srcW, p.dstW, src.Width);
    const Taps ys = MakeTaps(p.srcY, p.srcH, p.dstH, src.Height);
    const int colFirst = xs.first.front();
    int colEnd = colFirst;
    for (int i = 0; i < p.dstW; ++i)
        colEnd = std::max(colEnd, xs.first[i] + xs.count[i]);
    const int colCount = colEnd - colFirst;
    // The rows are shared between two threads on a large screen.
    const int half = p.dstH / 2;
    auto top = [&] { return ResizeRows(src, xs, ys, colFirst, colCount, p, out, 0, half); };
    auto bottom = [&] { return ResizeRows(src, xs, ys, colFirst, colCount, p, out, half, p.dstH); };
    if (static_cast<int64_t>(p.dstW) * p.dstH < (int64_t{1} << 18))
        return top() && bottom();
    const TwoThreadResult r = RunOnTwoThreads(top, bottom);
    return r.here && r.there;
}
