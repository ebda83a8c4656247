// SPDX-License-Identifier: GPL-3.0-or-later
#include "image/formats/bmp/bmp_reader.h"

#include "image/image_file.h"
#include "image/image_limits.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstring>
#include <vector>

namespace {

constexpr uint32_t kBiRgb = 0, kBiRle8 = 1, kBiRle4 = 2, kBiBitfields = 3, kBiAlphaBitfields = 6;

uint16_t U16(const uint8_t* p)
{
    return static_cast<uint16_t>(p[0] | (p[1] << 8));
}
uint32_t U32(const uint8_t* p)
{
    return p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<uint32_t>(p[3]) << 24);
}

struct Header {
    int64_t width = 0;
    int64_t height = 0;  // negative: rows stored top-down
    int bitCount = 0;
    uint32_t compression = kBiRgb;
    uint32_t colorsUsed = 0;
    bool core = false;                // 12-byte header, three-byte palette entries
    std::array<uint32_t, 3> masks{};  // red, green, blue
};

// One colour channel of a bit-field mask, scaled to eight bits.
struct Channel {
    uint32_t mask = 0;
    int shift = 0;
    int bits = 0;
    uint8_t Extract(uint32_t v) const
    {
        if (bits == 0)
            return 0;
        const uint32_t c = (v & mask) >> shift;
        if (bits >= 8)
            return static_cast<uint8_t>(c >> (bits - 8));
        const uint32_t max = (1u << bits) - 1;
        return static_cast<uint8_t>((c * 255 + max / 2) / max);
    }
    static Channel From(uint32_t mask)
    {
        Channel ch;
        ch.mask = mask;
        if (mask) {
            ch.shift = std::countr_zero(mask);
            ch.bits = std::popcount(mask >> ch.shift);
        }
        return ch;
    }
};

ImageRead Invalid()
{
    return ImageRead::Failed(ReadFailure::NotValid, "BMP: not a bitmap this reader accepts");
}

bool ReadHeader(std::span<const uint8_t> b, Header& h, size_t& afterHeader)
{
    if (b.size() < 14 + 12 || b[0] != 'B' || b[1] != 'M')
        return false;
    const uint32_t size = U32(&b[14]);
    if (size < 12 || size > b.size() - 14)
        return false;
    const uint8_t* p = &b[14];
    if (size == 12) {
        h.core = true;
        h.width = U16(p + 4);
        h.height = static_cast<int16_t>(U16(p + 6));
        h.bitCount = U16(p + 10);
    } else {
        if (size < 40)
            return false;
        h.width = static_cast<int32_t>(U32(p + 4));
        h.height = static_cast<int32_t>(U32(p + 8));
        h.bitCount = U16(p + 14);
        h.compression = U32(p + 16);
        h.colorsUsed = U32(p + 32);
    }
    afterHeader = 14 + size;
    if (h.compression == kBiBitfields || h.compression == kBiAlphaBitfields) {
        if (size >= 52) {
            h.masks = {U32(p + 40), U32(p + 44), U32(p + 48)};
        } else {
            // Masks follow a 40-byte header as three (or four) extra values.
            const size_t n = h.compression == kBiAlphaBitfields ? 16 : 12;
            if (b.size() < afterHeader + n)
                return false;
            h.masks = {U32(&b[afterHeader]), U32(&b[afterHeader + 4]), U32(&b[afterHeader + 8])};
            afterHeader += n;
        }
    }
    return true;
}

// How many palette entries the file holds for its depth.
size_t PaletteEntries(const Header& h)
{
    if (h.bitCount > 8)
        return 0;
    const size_t maxEntries = size_t{1} << h.bitCount;
    return h.colorsUsed && h.colorsUsed < maxEntries ? h.colorsUsed : maxEntries;
}

bool ReadPalette(std::span<const uint8_t> b, const Header& h, size_t at, DibPicture& pic)
{
    const size_t entries = PaletteEntries(h);
    const size_t entrySize = h.core ? 3 : 4;
    if (at > b.size() || (b.size() - at) / entrySize < entries)
        return false;
    pic.Palette.resize(entries);
    for (size_t i = 0; i < entries; ++i) {
        const uint8_t* e = &b[at + i * entrySize];
        pic.Palette[i] = {e[0], e[1], e[2], 0};
    }
    return true;
}

// Run-length data (always bottom-up) into an 8-bit index picture; runs and
// deltas past the picture's edge are clipped, the end of the data ends it.
void DecodeRle(std::span<const uint8_t> d, bool rle4, DibPicture& pic)
{
    size_t i = 0;
    int x = 0, y = 0;  // y counted from the bottom row
    // x stops at the right edge, so no run of escapes can make it overflow.
    auto put = [&](uint8_t v) {
        if (x < pic.Width) {
            pic.Bits[static_cast<size_t>(y) * pic.Stride() + x] = v;
            ++x;
        }
    };
    while (i + 1 < d.size() && y < pic.Height) {
        const uint8_t count = d[i], value = d[i + 1];
        i += 2;
        if (count > 0) {
            for (int k = 0; k < count && x < pic.Width; ++k)
                put(rle4 ? ((k & 1) ? (value & 0x0F) : (value >> 4)) : value);
            continue;
        }
        if (value == 0) {
            x = 0;
            ++y;
        } else if (value == 1) {
            return;
        } else if (value == 2) {
            if (i + 1 >= d.size())
                return;
            x = std::min(x + d[i], pic.Width);
            y += d[i + 1];
            i += 2;
        } else {
            const size_t bytes = rle4 ? (value + 1u) / 2 : value;
            if (d.size() - i < bytes)
                return;
            for (int k = 0; k < value; ++k) {
                const uint8_t byte = d[i + (rle4 ? k / 2 : k)];
                put(rle4 ? ((k & 1) ? (byte & 0x0F) : (byte >> 4)) : byte);
            }
            i += (bytes + 1) & ~size_t{1};  // absolute runs are word aligned
        }
    }
}

}  // namespace

ImageRead DecodeBmp(std::span<const uint8_t> b)
{
    Header h;
    size_t at = 0;
    if (!ReadHeader(b, h, at))
        return Invalid();
    const bool topDown = h.height < 0;
    const int64_t height = topDown ? -h.height : h.height;
    const int bc = h.bitCount;
    if (!image_limits::Acceptable(h.width, height))
        return Invalid();
    const bool rle = h.compression == kBiRle8 || h.compression == kBiRle4;
    const bool fields = h.compression == kBiBitfields || h.compression == kBiAlphaBitfields;
    if (h.compression == kBiRle8 && bc != 8)
        return Invalid();
    if (h.compression == kBiRle4 && bc != 4)
        return Invalid();
    if (fields && bc != 16 && bc != 32)
        return Invalid();
    if (h.compression != kBiRgb && !rle && !fields)
        return Invalid();
    if ((rle && topDown) || (bc != 1 && bc != 4 && bc != 8 && bc != 16 && bc != 24 && bc != 32))
        return Invalid();

    const int w = static_cast<int>(h.width), ht = static_cast<int>(height);
    // The pixel data starts where the file header says; a file that points
    // outside itself or into its headers gets the place after the palette.
    const size_t afterPalette = at + PaletteEntries(h) * (h.core ? 3 : 4);
    size_t dataAt = U32(&b[10]);
    if (dataAt < afterPalette || dataAt >= b.size())
        dataAt = afterPalette;
    if (dataAt > b.size())
        return Invalid();
    const std::span<const uint8_t> data = b.subspan(dataAt);
    // A header that promises more pixels than the file holds is refused
    // before the picture is allocated.
    const size_t srcStride = DibPicture::RowStride(w, bc);
    const size_t lastRow = (static_cast<size_t>(w) * bc + 7) / 8;
    if (rle ? !image_limits::StoredBytesCanHold(w, ht, data.size())
            : data.size() < srcStride * static_cast<size_t>(ht - 1) + lastRow)
        return Invalid();

    ImageRead r;
    r.Failure = ReadFailure::None;
    r.FileBitCount = bc;
    DibPicture& pic = r.Picture;
    if (!pic.Allocate(w, ht, bc <= 8 ? (rle ? 8 : bc) : 24))
        return Invalid();
    if (bc <= 8 && !ReadPalette(b, h, at, pic))
        return Invalid();

    if (rle) {
        DecodeRle(data, h.compression == kBiRle4, pic);
        return r;
    }
    Channel red, green, blue;
    if (fields) {
        red = Channel::From(h.masks[0]);
        green = Channel::From(h.masks[1]);
        blue = Channel::From(h.masks[2]);
    } else if (bc == 16) {
        red = Channel::From(0x7C00);
        green = Channel::From(0x03E0);
        blue = Channel::From(0x001F);
    }
    for (int row = 0; row < ht; ++row) {
        const uint8_t* src = data.data() + static_cast<size_t>(row) * srcStride;
        uint8_t* dst = pic.Bits.data() + static_cast<size_t>(topDown ? ht - 1 - row : row) * pic.Stride();
        if (bc <= 8 || (bc == 24)) {
            // Only the bytes that hold pixels: the row's padding stays zero,
            // whatever the file carries there.
            std::memcpy(dst, src, lastRow);
        } else if (bc == 32 && !fields) {
            for (int x = 0; x < w; ++x) {
                dst[3 * x] = src[4 * x];
                dst[3 * x + 1] = src[4 * x + 1];
                dst[3 * x + 2] = src[4 * x + 2];
            }
        } else {
            for (int x = 0; x < w; ++x) {
                const uint32_t v = bc == 16 ? U16(src + 2 * x) : U32(src + 4 * x);
                dst[3 * x] = blue.Extract(v);
                dst[3 * x + 1] = green.Extract(v);
                dst[3 * x + 2] = red.Extract(v);
            }
        }
    }
    return r;
}

ImageRead ReadBmpFile(const ImageFile& file)
{
    return DecodeWholeFile(file, "BMP", DecodeBmp);
}
