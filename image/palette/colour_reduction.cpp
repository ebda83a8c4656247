// SPDX-License-Identifier: GPL-3.0-or-later
#include "image/palette/colour_reduction.h"

#include "image/palette/palette_mapping.h"

#include <libimagequant.h>
#include <omp.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <vector>

namespace {

// Index of pixel x in an indexed row.
unsigned IndexAt(const uint8_t* row, int x, int bits)
{
    switch (bits) {
    case 8: return row[x];
    case 4: return (x & 1) ? (row[x / 2] & 0x0F) : (row[x / 2] >> 4);
    default: return (row[x / 8] >> (7 - (x & 7))) & 1;
    }
}

void PutIndex(uint8_t* row, int x, int bits, unsigned v)
{
    if (bits == 8)
        row[x] = static_cast<uint8_t>(v);
    else if (bits == 4)
        row[x / 2] = static_cast<uint8_t>((x & 1) ? ((row[x / 2] & 0xF0) | (v & 0x0F))
                                                  : ((row[x / 2] & 0x0F) | (v << 4)));
    else if (v)
        row[x / 8] |= static_cast<uint8_t>(0x80 >> (x & 7));
}

// Same indexes at another (larger or fitting) depth.
bool Repack(const DibPicture& src, int bits, DibPicture& out)
{
    if (!out.Allocate(src.Width, src.Height, bits))
        return false;
    out.Palette = src.Palette;
    out.Palette.resize(std::min<size_t>(out.Palette.size(), size_t{1} << bits));
    for (int y = 0; y < src.Height; ++y) {
        const uint8_t* s = src.TopRow(y);
        uint8_t* d = out.TopRow(y);
        for (int x = 0; x < src.Width; ++x)
            PutIndex(d, x, bits, IndexAt(s, x, src.BitCount));
    }
    return true;
}

bool FitsIndexed(const DibPicture& src, int bits)
{
    if (src.BitCount > 8)
        return false;
    if (src.BitCount <= bits)
        return true;
    // A deeper index picture fits when no pixel uses an index past the smaller palette.
    const unsigned limit = 1u << bits;
    for (int y = 0; y < src.Height; ++y) {
        const uint8_t* row = src.TopRow(y);
        for (int x = 0; x < src.Width; ++x)
            if (IndexAt(row, x, src.BitCount) >= limit)
                return false;
    }
    return true;
}

// libimagequant's fastest setting: its palettes still beat a classic
// median-cut quantiser's, and a wallpaper conversion runs while the user waits.
constexpr int kSpeed = 10;

// Every n-th pixel of every n-th row, keeping about 64 K pixels.
int SampleStep(int w, int h)
{
    int step = 1;
    while (static_cast<int64_t>(w / step) * (h / step) > 64 * 1024)
        ++step;
    return step;
}

struct LiqAttrDeleter {
    void operator()(liq_attr* a) const { liq_attr_destroy(a); }
};
struct LiqImageDeleter {
    void operator()(liq_image* i) const { liq_image_destroy(i); }
};
struct LiqResultDeleter {
    void operator()(liq_result* r) const { liq_result_destroy(r); }
};

}  // namespace

bool ToTrueColour(const DibPicture& src, DibPicture& out)
{
    out.Clear();
    if (src.Empty())
        return false;
    if (src.BitCount == 24) {
        out = src;
        return true;
    }
    if (!out.Allocate(src.Width, src.Height, 24, false))
        return false;
    RgbQuad lut[256];
    uint8_t bgr0[256][4];
    for (unsigned i = 0; i < 256; ++i) {
        lut[i] = src.PaletteColour(i);
        bgr0[i][0] = lut[i].Blue;
        bgr0[i][1] = lut[i].Green;
        bgr0[i][2] = lut[i].Red;
        bgr0[i][3] = 0;
    }
    const size_t used = static_cast<size_t>(src.Width) * 3;
    for (int y = 0; y < src.Height; ++y) {
        const uint8_t* s = src.TopRow(y);
        uint8_t* d = out.TopRow(y);
        std::fill(d + used, d + out.Stride(), uint8_t{0});  // the padding; every pixel is written below
        if (src.BitCount == 8) {                            // the common case, without the per-pixel depth test
            // Four bytes stored a pixel, the fourth overwritten by the next
            // pixel; the last pixel of the row gets its three.
            for (int x = 0; x + 1 < src.Width; ++x, d += 3)
                std::memcpy(d, bgr0[s[x]], 4);
            std::memcpy(d, bgr0[s[src.Width - 1]], 3);
            continue;
        }
        for (int x = 0; x < src.Width; ++x, d += 3) {
            const RgbQuad& q = lut[IndexAt(s, x, src.BitCount)];
            d[0] = q.Blue;
            d[1] = q.Green;
            d[2] = q.Red;
        }
    }
    return true;
}

bool ReduceColours(const DibPicture& src, int colours, bool dither, DibPicture& out)
{
    out.Clear();
    if (src.Empty() || colours < 2 || colours > 256)
        return false;
    DibPicture trueColour;
    const DibPicture* rgb = &src;
    if (src.BitCount != 24) {
        if (!ToTrueColour(src, trueColour))
            return false;
        rgb = &trueColour;
    }
    // libimagequant chooses the palette from an evenly spread sample of the
    // pixels (sixty thousand represent a photo's colours well), taken as the
    // RGBA rows it reads; the whole picture is then mapped to the palette.
    const int w = src.Width, h = src.Height;
    const int step = SampleStep(w, h);
    const int sw = (w + step - 1) / step, sh = (h + step - 1) / step;
    std::vector<uint8_t> sample(static_cast<size_t>(sw) * sh * 4);
    std::vector<unsigned char*> rows(static_cast<size_t>(sh));
    for (int y = 0; y < sh; ++y) {
        const uint8_t* s = rgb->TopRow(y * step);
        uint8_t* d = sample.data() + static_cast<size_t>(y) * sw * 4;
        rows[y] = d;
        for (int x = 0; x < sw; ++x, d += 4) {
            const uint8_t* p = s + 3 * static_cast<size_t>(x) * step;
            d[0] = p[2];
            d[1] = p[1];
            d[2] = p[0];
            d[3] = 255;
        }
    }
    // libimagequant spreads its work over OpenMP threads whose waiting spins;
    // for a sample this small one thread is faster and leaves the other cores
    // to the rest of the desktop.
    omp_set_num_threads(1);
    std::unique_ptr<liq_attr, LiqAttrDeleter> attr(liq_attr_create());
    if (!attr || liq_set_max_colors(attr.get(), colours) != LIQ_OK || liq_set_speed(attr.get(), kSpeed) != LIQ_OK)
        return false;
    std::unique_ptr<liq_image, LiqImageDeleter> image(
        liq_image_create_rgba_rows(attr.get(), reinterpret_cast<void* const*>(rows.data()), sw, sh, 0));
    if (!image)
        return false;
    liq_result* raw = nullptr;
    if (liq_image_quantize(image.get(), attr.get(), &raw) != LIQ_OK || !raw)
        return false;
    std::unique_ptr<liq_result, LiqResultDeleter> result(raw);
    const liq_palette* pal = liq_get_palette(result.get());
    if (!pal || pal->count == 0)
        return false;
    std::vector<RgbQuad> palette(pal->count);
    for (unsigned i = 0; i < pal->count; ++i)
        palette[i] = {pal->entries[i].b, pal->entries[i].g, pal->entries[i].r, 0};
    return MapToPalette(*rgb, palette, colours > 16 ? 8 : 4, dither, out);
}

bool ToMonochrome(const DibPicture& src, DibPicture& out)
{
    out.Clear();
    if (src.Empty())
        return false;
    DibPicture rgb;
    if (!ToTrueColour(src, rgb) || !out.Allocate(src.Width, src.Height, 1))
        return false;
    out.Palette = {{0, 0, 0, 0}, {255, 255, 255, 0}};
    const int w = src.Width;
    std::vector<int> err(static_cast<size_t>(w) + 2, 0), next(static_cast<size_t>(w) + 2, 0);
    for (int y = 0; y < src.Height; ++y) {
        const uint8_t* s = rgb.TopRow(y);
        uint8_t* d = out.TopRow(y);
        std::fill(next.begin(), next.end(), 0);
        for (int x = 0; x < w; ++x, s += 3) {
            // Luminance in 1/16ths: 0.299 R + 0.587 G + 0.114 B.
            const int lum = (s[2] * 77 + s[1] * 150 + s[0] * 29) >> 4;
            const int v = lum + err[x + 1];
            const int chosen = v >= 128 * 16 ? 255 * 16 : 0;
            if (chosen)
                PutIndex(d, x, 1, 1);
            const int e = v - chosen;
            err[x + 2] += e * 7 / 16;
            next[x] += e * 3 / 16;
            next[x + 1] += e * 5 / 16;
            next[x + 2] += e / 16;
        }
        std::swap(err, next);
    }
    return true;
}

bool ToGreyScale(const DibPicture& src, DibPicture& out)
{
    out.Clear();
    DibPicture rgb;
    if (src.Empty() || !ToTrueColour(src, rgb) || !out.Allocate(src.Width, src.Height, 8))
        return false;
    out.Palette.resize(256);
    for (int i = 0; i < 256; ++i)
        out.Palette[i] = {static_cast<uint8_t>(i), static_cast<uint8_t>(i), static_cast<uint8_t>(i), 0};
    for (int y = 0; y < src.Height; ++y) {
        const uint8_t* s = rgb.TopRow(y);
        uint8_t* d = out.TopRow(y);
        for (int x = 0; x < src.Width; ++x, s += 3)
            d[x] = static_cast<uint8_t>((s[2] * 77 + s[1] * 150 + s[0] * 29) >> 8);
    }
    return true;
}

bool ConvertToDepth(const DibPicture& src, int bitCount, bool dither, DibPicture& out)
{
    out.Clear();
    if (src.Empty())
        return false;
    if (src.BitCount == bitCount) {
        out = src;
        return true;
    }
    switch (bitCount) {
    case 24: return ToTrueColour(src, out);
    case 8:
    case 4:
        if (FitsIndexed(src, bitCount))
            return Repack(src, bitCount, out);
        return ReduceColours(src, bitCount == 8 ? 256 : 16, dither, out);
    case 1:
        if (FitsIndexed(src, 1))
            return Repack(src, 1, out);
        return ToMonochrome(src, out);
    default: return false;
    }
}
