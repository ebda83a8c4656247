// SPDX-License-Identifier: GPL-3.0-or-later
#include "image/orientation.h"

#include <cstring>

namespace {

struct TiffReader {
    std::span<const uint8_t> tiff;
    bool little = true;

    bool Has(size_t at, size_t n) const { return at <= tiff.size() && n <= tiff.size() - at; }
    unsigned U16(size_t at) const { return little ? tiff[at] | tiff[at + 1] << 8 : tiff[at] << 8 | tiff[at + 1]; }
    uint32_t U32(size_t at) const
    {
        return little ? U16(at) | uint32_t{U16(at + 2)} << 16 : uint32_t{U16(at)} << 16 | U16(at + 2);
    }
};

constexpr unsigned kOrientationTag = 0x0112;
constexpr unsigned kShortType = 3;

constexpr uint8_t kExifPrefix[] = {'E', 'x', 'i', 'f', 0, 0};

bool HasExifPrefix(std::span<const uint8_t> block)
{
    return block.size() >= sizeof kExifPrefix && std::memcmp(block.data(), kExifPrefix, sizeof kExifPrefix) == 0;
}

}  // namespace

int ExifOrientation(std::span<const uint8_t> app1)
{
    return HasExifPrefix(app1) ? TiffExifOrientation(app1.subspan(sizeof kExifPrefix)) : 1;
}

int TiffExifOrientation(std::span<const uint8_t> tiff)
{
    if (HasExifPrefix(tiff))
        tiff = tiff.subspan(sizeof kExifPrefix);
    if (tiff.size() < 8)
        return 1;
    TiffReader r{tiff};
    if (r.tiff[0] == 'I' && r.tiff[1] == 'I')
        r.little = true;
    else if (r.tiff[0] == 'M' && r.tiff[1] == 'M')
        r.little = false;
    else
        return 1;
    if (r.U16(2) != 42)
        return 1;
    const size_t ifd = r.U32(4);
    if (!r.Has(ifd, 2))
        return 1;
    const unsigned entries = r.U16(ifd);
    for (unsigned i = 0; i < entries; ++i) {
        const size_t at = ifd + 2 + size_t{i} * 12;
        if (!r.Has(at, 12))
            return 1;
        if (r.U16(at) == kOrientationTag) {
            if (r.U16(at + 2) != kShortType || r.U32(at + 4) < 1)
                return 1;
            const unsigned value = r.U16(at + 8);
            return value >= 1 && value <= 8 ? static_cast<int>(value) : 1;
        }
    }
    return 1;
}

int OrientationOfTurnAndMirror(int anticlockwiseQuarters, int mirror)
{
    // By the quarter turns: no mirror, then top and bottom exchanged, then
    // left and right.
    static constexpr int kOrientation[3][4] = {{1, 8, 3, 6}, {4, 5, 2, 7}, {2, 7, 4, 5}};
    const int turn = ((anticlockwiseQuarters % 4) + 4) % 4;
    return kOrientation[mirror == 0 || mirror == 1 ? mirror + 1 : 0][turn];
}

bool MakeUpright(DibPicture& picture, int orientation)
{
    const int bytes = picture.BitCount == 24 ? 3 : (picture.BitCount == 8 ? 1 : 0);
    if (orientation < 2 || orientation > 8 || bytes == 0 || picture.Empty())
        return true;
    const int w = picture.Width, h = picture.Height;
    const bool turned = orientation >= 5;  // width and height change places
    DibPicture upright;
    if (!upright.Allocate(turned ? h : w, turned ? w : h, picture.BitCount, false))
        return false;
    upright.Palette = picture.Palette;
    const int uw = upright.Width, uh = upright.Height;
    for (int y = 0; y < uh; ++y) {
        uint8_t* out = upright.TopRow(y);
        std::memset(out + static_cast<size_t>(uw) * bytes, 0, upright.Stride() - static_cast<size_t>(uw) * bytes);
        for (int x = 0; x < uw; ++x) {
            // Where the pixel shown at (x, y) is stored.
            int sx = x, sy = y;
            switch (orientation) {
            case 2: sx = w - 1 - x; break;
            case 3: sx = w - 1 - x, sy = h - 1 - y; break;
            case 4: sy = h - 1 - y; break;
            case 5: sx = y, sy = x; break;
            case 6: sx = y, sy = h - 1 - x; break;
            case 7: sx = w - 1 - y, sy = h - 1 - x; break;
            case 8: sx = w - 1 - y, sy = x; break;
            default: break;
            }
            std::memcpy(out + static_cast<size_t>(x) * bytes, picture.TopRow(sy) + static_cast<size_t>(sx) * bytes,
                        static_cast<size_t>(bytes));
        }
    }
    picture = std::move(upright);
    return true;
}
