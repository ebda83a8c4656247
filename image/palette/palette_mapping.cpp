// SPDX-License-Identifier: GPL-3.0-or-later
#include "image/palette/palette_mapping.h"

#include <algorithm>
#include <climits>
#include <vector>

namespace {

// Nearest palette entry for each 6-bit-per-channel cell, worked out the first
// time a cell is asked for (a photo touches a small share of the 262144 cells).
class NearestCache {
public:
    explicit NearestCache(std::span<const RgbQuad> palette) : palette_(palette), table_(1u << 15, -1) {}

    int Find(int r, int g, int b)
    {
        const unsigned key = (static_cast<unsigned>(r >> 3) << 10) | (static_cast<unsigned>(g >> 3) << 5) |
                             static_cast<unsigned>(b >> 3);
        int16_t& slot = table_[key];
        if (slot < 0)
            slot = static_cast<int16_t>(Search((r & ~7) + 4, (g & ~7) + 4, (b & ~7) + 4));
        return slot;
    }

private:
    int Search(int r, int g, int b) const
    {
        int best = 0, bestDistance = INT_MAX;
        for (size_t i = 0; i < palette_.size(); ++i) {
            const int dr = r - palette_[i].Red, dg = g - palette_[i].Green, db = b - palette_[i].Blue;
            // Green weighs most and blue least, as the eye sees them.
            const int d = 3 * dr * dr + 4 * dg * dg + 2 * db * db;
            if (d < bestDistance) {
                bestDistance = d;
                best = static_cast<int>(i);
            }
        }
        return best;
    }

    std::span<const RgbQuad> palette_;
    std::vector<int16_t> table_;
};

inline int Clamp255(int v)
{
    return v < 0 ? 0 : (v > 255 ? 255 : v);
}

void Put(uint8_t* row, int x, int bits, int index)
{
    if (bits == 8)
        row[x] = static_cast<uint8_t>(index);
    else if (x & 1)
        row[x / 2] = static_cast<uint8_t>((row[x / 2] & 0xF0) | index);
    else
        row[x / 2] = static_cast<uint8_t>((row[x / 2] & 0x0F) | (index << 4));
}

}  // namespace

bool MapToPalette(const DibPicture& src, std::span<const RgbQuad> palette, int bits, bool dither, DibPicture& out)
{
    out.Clear();
    if (src.Empty() || src.BitCount != 24 || palette.empty() || (bits != 4 && bits != 8) ||
        palette.size() > (size_t{1} << bits))
        return false;
    if (!out.Allocate(src.Width, src.Height, bits))
        return false;
    out.Palette.assign(palette.begin(), palette.end());
    NearestCache cache(palette);
    const int w = src.Width;
    // Errors in sixteenths, one slot of margin at each end: this row's and the next's.
    std::vector<int> cur(3 * (static_cast<size_t>(w) + 2), 0), next(cur.size(), 0);
    for (int y = 0; y < src.Height; ++y) {
        const uint8_t* s = src.TopRow(y);
        uint8_t* d = out.TopRow(y);
        if (!dither) {
            for (int x = 0; x < w; ++x, s += 3)
                Put(d, x, bits, cache.Find(s[2], s[1], s[0]));
            continue;
        }
        std::fill(next.begin(), next.end(), 0);
        for (int x = 0; x < w; ++x, s += 3) {
            int* e = &cur[3 * (x + 1)];
            const int r = Clamp255(s[2] + ((e[0] + 8) >> 4));
            const int g = Clamp255(s[1] + ((e[1] + 8) >> 4));
            const int b = Clamp255(s[0] + ((e[2] + 8) >> 4));
            const int index = cache.Find(r, g, b);
            Put(d, x, bits, index);
            const int er = r - palette[index].Red, eg = g - palette[index].Green, eb = b - palette[index].Blue;
            int* right = e + 3;
            int* below = &next[3 * (x + 1)];
            const int err[3] = {er, eg, eb};
            for (int c = 0; c < 3; ++c) {
                right[c] += 7 * err[c];
                below[c - 3] += 3 * err[c];
                below[c] += 5 * err[c];
                below[c + 3] += err[c];
            }
        }
        std::swap(cur, next);
    }
    return true;
}
