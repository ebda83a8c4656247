// SPDX-License-Identifier: GPL-3.0-or-later
#include "image/picture.h"

#include "image/image_limits.h"

#include <sys/mman.h>

#include <algorithm>
#include <cstdint>

namespace {

// A wallpaper-sized picture is written once from top to bottom right after
// it is allocated; in 2 MB pages the kernel fills it with one fault where
// 4 KB pages take 512, which costs more than the decoding of some formats.
// Only the whole large pages inside the buffer are asked for, so the
// picture takes no more memory than before.
void AskForLargePages(uint8_t* data, size_t bytes)
{
#ifdef MADV_HUGEPAGE
    constexpr uintptr_t kLargePage = uintptr_t{2} << 20;
    if (bytes < 2 * kLargePage)
        return;
    const uintptr_t begin = (reinterpret_cast<uintptr_t>(data) + kLargePage - 1) & ~(kLargePage - 1);
    const uintptr_t end = (reinterpret_cast<uintptr_t>(data) + bytes) & ~(kLargePage - 1);
    if (end > begin)
        ::madvise(reinterpret_cast<void*>(begin), end - begin, MADV_HUGEPAGE);  // only a hint: failure is fine
#else
    (void)data;
    (void)bytes;
#endif
}

}  // namespace

void DibPicture::Clear()
{
    Width = Height = BitCount = 0;
    Palette.clear();
    Bits.clear();
    Bits.shrink_to_fit();
}

size_t DibPicture::RowStride(int width, int bitCount)
{
    return ((static_cast<size_t>(width) * static_cast<size_t>(bitCount) + 31) / 32) * 4;
}

bool DibPicture::Allocate(int width, int height, int bitCount, bool zeroFill)
{
    Clear();
    if (bitCount != 1 && bitCount != 4 && bitCount != 8 && bitCount != 24)
        return false;
    if (!image_limits::Acceptable(width, height))
        return false;
    Width = width;
    Height = height;
    BitCount = bitCount;
    const size_t bytes = RowStride(width, bitCount) * static_cast<size_t>(height);
    // Reserved first (no page is touched yet), so the hint comes before the
    // first fault.
    Bits.reserve(bytes);
    AskForLargePages(Bits.data(), bytes);
    if (zeroFill)
        Bits.assign(bytes, 0);
    else
        Bits.resize(bytes);
    return true;
}

void DibPicture::ClearPadding()
{
    const size_t used = (static_cast<size_t>(Width) * static_cast<size_t>(BitCount) + 7) / 8;
    if (used >= Stride())
        return;
    for (int y = 0; y < Height; ++y)
        std::fill(TopRow(y) + used, TopRow(y) + Stride(), uint8_t{0});
}

RgbQuad DibPicture::PaletteColour(unsigned index) const
{
    return index < Palette.size() ? Palette[index] : RgbQuad{};
}

RgbQuad DibPicture::PixelAt(int x, int y) const
{
    if (Empty() || x < 0 || y < 0 || x >= Width || y >= Height)
        return {};
    const uint8_t* row = TopRow(y);
    switch (BitCount) {
    case 24: return {row[3 * x], row[3 * x + 1], row[3 * x + 2], 0};
    case 8: return PaletteColour(row[x]);
    case 4: return PaletteColour((x & 1) ? (row[x / 2] & 0x0F) : (row[x / 2] >> 4));
    case 1: return PaletteColour((row[x / 8] >> (7 - (x & 7))) & 1);
    default: return {};
    }
}
