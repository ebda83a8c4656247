// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The area filter that makes a picture the screen's size: for each output
// pixel along one axis, the source pixels it covers and their weights.
// Reducing averages every source pixel over the area it covers; enlarging
// interpolates between the two nearest.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <vector>

// Weights of one output pixel's source pixels along one axis, summing to
// kTapOne; `first` is the first source index, `count` how many from it.
inline constexpr int kTapBits = 14;
inline constexpr int kTapOne = 1 << kTapBits;

struct Taps {
    std::vector<int> first;
    std::vector<int> count;
    std::vector<int> weights;  // maxTaps per output
    int maxTaps = 0;

    // The source indices [SourceFirst(), SourceEnd()) some output uses.
    int SourceFirst() const { return first.empty() ? 0 : first.front(); }
    int SourceEnd() const;
};

// `outputs` pixels from the span [start, start + length) of a source of
// `sourceSize` pixels; indices past its edges take the edge pixel.
Taps MakeTaps(double start, double length, int outputs, int sourceSize);

// One output row of 24-bit pixels: `row(y)` gives source row y (top first)
// from column `colFirst` on, `colCount` columns wide; `acc` has room for
// colCount * 3 sums; `d` takes xs.first.size() pixels.
template <class RowAt>
void ResizeRow(const Taps& xs, const Taps& ys, int oy, int colFirst, RowAt&& row, std::vector<uint32_t>& acc,
               uint8_t* d)
{
    std::fill(acc.begin(), acc.end(), 0u);
    const int* wy = &ys.weights[static_cast<size_t>(oy) * ys.maxTaps];
    for (int k = 0; k < ys.count[oy]; ++k) {
        const uint32_t w = static_cast<uint32_t>(wy[k]);
        if (w == 0)
            continue;
        const uint8_t* s = row(ys.first[oy] + k);
        for (size_t i = 0; i < acc.size(); ++i)
            acc[i] += w * s[i];
    }
    for (uint32_t& a : acc)
        a >>= 6;  // 8 bits of value and 8 of fraction left
    const int outputs = static_cast<int>(xs.first.size());
    for (int ox = 0; ox < outputs; ++ox, d += 3) {
        const int* wx = &xs.weights[static_cast<size_t>(ox) * xs.maxTaps];
        const uint32_t* a = &acc[static_cast<size_t>(xs.first[ox] - colFirst) * 3];
        uint32_t b = 0, g = 0, r = 0;
        for (int k = 0; k < xs.count[ox]; ++k, a += 3) {
            const uint32_t w = static_cast<uint32_t>(wx[k]);
            b += w * a[0], g += w * a[1], r += w * a[2];
        }
        constexpr int kShift = kTapBits + 8;
        constexpr uint32_t kHalf = 1u << (kShift - 1);
        d[0] = static_cast<uint8_t>(std::min<uint32_t>((b + kHalf) >> kShift, 255));
        d[1] = static_cast<uint8_t>(std::min<uint32_t>((g + kHalf) >> kShift, 255));
        d[2] = static_cast<uint8_t>(std::min<uint32_t>((r + kHalf) >> kShift, 255));
    }
}
