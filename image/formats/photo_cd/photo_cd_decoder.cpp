// SPDX-License-Identifier: GPL-3.0-or-later
#include "image/formats/photo_cd/photo_cd_decoder.h"

#include <array>
#include <cstring>
#include <vector>

namespace {

// The five conversion tables, built once: L(i) = 1391 i, R2(i) = 1865 i -
// 255023, G1(i) = -441 i, G2(i) = -949 i + 199313, B1(i) = 2271 i - 353784.
struct Tables {
    std::array<int32_t, 256> L, R2, G1, G2, B1;
    constexpr Tables() : L(), R2(), G1(), G2(), B1()
    {
        for (int i = 0; i < 256; ++i) {
            L[i] = 1391 * i;
            R2[i] = 1865 * i - 255023;
            G1[i] = -441 * i;
            G2[i] = -949 * i + 199313;
            B1[i] = 2271 * i - 353784;
        }
    }
};
constexpr Tables kTables;

// Sum / 1024 rounded down, a negative sum giving 0 and more than 255 giving 255.
inline uint8_t Clamp(int32_t sum)
{
    if (sum < 0)
        return 0;
    const int32_t v = sum >> 10;
    return static_cast<uint8_t>(v > 255 ? 255 : v);
}

inline void PutPixel(uint8_t* bgr, int y, int c1, int c2)
{
    const int32_t l = kTables.L[y];
    bgr[0] = Clamp(l + kTables.B1[c1]);
    bgr[1] = Clamp(l + kTables.G1[c1] + kTables.G2[c2]);
    bgr[2] = Clamp(l + kTables.R2[c2]);
}

// One row pair into picture rows 2n and 2n + 1. `next` is the following row
// pair of the file, or null for the last pair when nothing follows it.
void DecodePair(const uint8_t* cur, const uint8_t* next, int w, int c0, bool cutOff, uint8_t* even, uint8_t* odd)
{
    const uint8_t* c1 = cur + 2 * w;
    const uint8_t* c2 = c1 + w / 2;
    const uint8_t* n1 = next ? next + 2 * w : nullptr;
    const uint8_t* n2 = next ? n1 + w / 2 : nullptr;
    for (int j = c0; j <= w / 2 - c0 - 1; ++j) {
        const int c = c1[j], k = c2[j];
        const bool lastColumn = !cutOff && 2 * j + 2 == w;
        const bool lastPair = next == nullptr;
        const int r1 = lastColumn ? c : c1[j + 1], r2 = lastColumn ? k : c2[j + 1];
        const int b1 = lastPair ? c : n1[j], b2 = lastPair ? k : n2[j];
        int d1, d2;
        if (lastColumn && lastPair) {
            d1 = c, d2 = k;
        } else if (lastColumn) {
            d1 = b1, d2 = b2;
        } else if (lastPair) {
            d1 = r1, d2 = r2;
        } else {
            d1 = n1[j + 1], d2 = n2[j + 1];
        }
        const int x = 2 * j;
        PutPixel(even + 3 * x, cur[x], c, k);
        PutPixel(even + 3 * x + 3, cur[x + 1], (c + r1) / 2, (k + r2) / 2);
        PutPixel(odd + 3 * x, cur[w + x], (c + b1) / 2, (k + b2) / 2);
        PutPixel(odd + 3 * x + 3, cur[w + x + 1], (c + r1 + b1 + d1) / 4, (k + r2 + b2 + d2) / 4);
    }
}

// The text TPcd raises for a file shorter than its picture or a failed seek.
ImageRead ReadFailed()
{
    return ImageRead::Failed(ReadFailure::Unreadable, kPcdReadError);
}

bool IsBlack(const DibPicture& p, int x, int y)
{
    const uint8_t* px = p.TopRow(y) + 3 * x;
    return px[0] == 0 && px[1] == 0 && px[2] == 0;
}

}  // namespace

PcdGeometry PcdGeometryFor(PcdSize size)
{
    switch (size) {
    case pcdTiny: return {192, 128, 0x2000, 1};
    case pcdSmall: return {384, 256, 0xB800, 2};
    default: return {768, 512, 0x30000, 4};
    }
}

PcdRgb PcdToRgb(uint8_t y, uint8_t c1, uint8_t c2)
{
    uint8_t bgr[3];
    PutPixel(bgr, y, c1, c2);
    return {bgr[2], bgr[1], bgr[0]};
}

ImageRead DecodePcd(PcdSource& source, PcdSize size, bool cutOff)
{
    const PcdGeometry g = PcdGeometryFor(size);
    const int w = g.Width;
    const int d = cutOff ? g.Unit : 0;
    const int t = 10 * d, c0 = (15 * d) / 2, H = g.Height - 20 * d;
    int s = 15 * d;
    const size_t pairBytes = static_cast<size_t>(3 * w);
    if (!source.Seek(g.Offset + static_cast<uint64_t>(t / 2) * pairBytes))
        return ReadFailed();

    DibPicture work;
    work.Allocate(w, H, 24);  // columns not decoded stay black

    // Eight row-pair slots: the first pair goes to slot 7; whenever slot 7 is
    // the current one and a following pair is needed, it moves to slot 0 and
    // the next pairs of the file are read into slots 1 to 7 in one read.
    const int pairs = H / 2;
    const int needed = pairs + (cutOff ? 1 : 0);  // with the trim, the last pair's successor too
    std::vector<uint8_t> slots(8 * pairBytes);
    auto slot = [&](int i) { return slots.data() + static_cast<size_t>(i) * pairBytes; };
    if (!source.Read(slot(7), pairBytes))
        return ReadFailed();
    int loaded = 1, pos = 7;
    for (int n = 0; n < pairs; ++n) {
        const bool hasNext = n + 1 < needed;
        if (hasNext && pos == 7) {
            std::memcpy(slot(0), slot(7), pairBytes);
            pos = 0;
            const int count = std::min(7, needed - loaded);
            if (!source.Read(slot(1), pairBytes * count))
                return ReadFailed();
            loaded += count;
        }
        DecodePair(slot(pos), hasNext ? slot(pos + 1) : nullptr, w, c0, cutOff, work.TopRow(2 * n),
                   work.TopRow(2 * n + 1));
        ++pos;
    }

    // A picture whose four test pixels are all black has a wide black border
    // at its sides: crop it further.
    if (cutOff && IsBlack(work, 25 * d, 25 * d) && IsBlack(work, 25 * d, 100 * d) && IsBlack(work, 150 * d, 25 * d) &&
        IsBlack(work, 150 * d, 100 * d))
        s = 60 * d;

    ImageRead out;
    out.Picture.Allocate(w - 2 * s, H, 24);
    for (int y = 0; y < H; ++y)
        std::memcpy(out.Picture.TopRow(y), work.TopRow(y) + 3 * s, static_cast<size_t>(w - 2 * s) * 3);
    out.FileBitCount = 24;
    out.Failure = ReadFailure::None;
    return out;
}

bool PcdMemorySource::Seek(uint64_t offset)
{
    if (offset > bytes_.size())
        return false;
    at_ = offset;
    return true;
}

bool PcdMemorySource::Read(uint8_t* buffer, size_t bytes)
{
    if (bytes > bytes_.size() - at_)
        return false;
    std::memcpy(buffer, bytes_.data() + at_, bytes);
    at_ += bytes;
    return true;
}
