// SPDX-License-Identifier: GPL-3.0-or-later
#include "image/formats/dynamic/picture_blend.h"

#include "image/formats/two_threads.h"

#include <algorithm>
#include <cmath>

namespace {

void BlendRows(const DibPicture& first, const DibPicture& second, uint32_t weight, DibPicture& out, int from, int to)
{
    const size_t rowBytes = static_cast<size_t>(first.Width) * 3;
    for (int y = from; y < to; ++y) {
        const uint8_t* a = first.TopRow(y);
        const uint8_t* b = second.TopRow(y);
        uint8_t* d = out.TopRow(y);
        for (size_t i = 0; i < rowBytes; ++i) {
            d[i] = static_cast<uint8_t>((a[i] * (256 - weight) + b[i] * weight + 128) >> 8);
        }
    }
}

}  // namespace

bool BlendPictures(const DibPicture& first, const DibPicture& second, double fraction, DibPicture& out)
{
    out.Clear();
    if (first.BitCount != 24 || second.BitCount != 24 || first.Width != second.Width || first.Height != second.Height ||
        first.Empty()) {
        return false;
    }
    // In 256ths: fine enough that a step of the blend never shows.
    const auto weight = static_cast<uint32_t>(
        std::lround(std::clamp(std::isfinite(fraction) ? fraction : 0.0, 0.0, 1.0) * 256));
    if (!out.Allocate(first.Width, first.Height, 24, false)) {
        return false;
    }
    const int half = first.Height / 2;
    RunOnTwoThreads([&] { return BlendRows(first, second, weight, out, 0, half), true; },
                    [&] { return BlendRows(first, second, weight, out, half, first.Height), true; });
    out.ClearPadding();
    return true;
}
