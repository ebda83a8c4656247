// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The picture the image component holds: a device-independent bitmap as a BMP
// file stores it, so writing it at its own depth is one header plus one block.
// Rows run bottom-up and each row is padded to a multiple of four bytes.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <new>
#include <utility>
#include <vector>

struct RgbQuad {
    uint8_t Blue = 0;
    uint8_t Green = 0;
    uint8_t Red = 0;
    uint8_t Reserved = 0;
    bool operator==(const RgbQuad&) const = default;
};

// Leaves new bytes uninitialised: a decoder writes every pixel anyway, and
// zero-filling a 72 MB picture first costs a pass over it.
template <class T>
struct NoInitAllocator : std::allocator<T> {
    template <class U>
    struct rebind {
        using other = NoInitAllocator<U>;
    };
    NoInitAllocator() = default;
    template <class U>
    NoInitAllocator(const NoInitAllocator<U>&) noexcept
    {}
    template <class U>
    void construct(U* p) noexcept
    {
        ::new (static_cast<void*>(p)) U;
    }
    template <class U, class... Args>
    void construct(U* p, Args&&... args)
    {
        ::new (static_cast<void*>(p)) U(std::forward<Args>(args)...);
    }
};

class DibPicture {
public:
    using PixelBytes = std::vector<uint8_t, NoInitAllocator<uint8_t>>;

    // 1, 4 and 8 bits carry a palette (entries past its end show black); 24
    // bits are blue, green, red.
    int Width = 0;
    int Height = 0;
    int BitCount = 0;
    std::vector<RgbQuad> Palette;
    PixelBytes Bits;

    bool Empty() const { return Width <= 0 || Height <= 0 || Bits.empty(); }
    void Clear();

    // Bytes per stored row for a width and depth (the four-byte padding included).
    static size_t RowStride(int width, int bitCount);
    size_t Stride() const { return RowStride(Width, BitCount); }

    // Sizes the picture, zero-filled unless the caller writes every byte
    // itself. False, leaving it empty, when the dimensions are not positive,
    // the depth is not 1, 4, 8 or 24, or the picture would exceed the pixel limit.
    bool Allocate(int width, int height, int bitCount, bool zeroFill = true);
    // Zeroes the bytes past each row's pixels: for a picture allocated without
    // zero-fill whose pixels a decoder writes, and its padding not.
    void ClearPadding();

    // Row y counted from the top of the picture.
    uint8_t* TopRow(int y) { return Bits.data() + static_cast<size_t>(Height - 1 - y) * Stride(); }
    const uint8_t* TopRow(int y) const { return Bits.data() + static_cast<size_t>(Height - 1 - y) * Stride(); }

    // The colour of one pixel (x, y from the top left); for tests and small probes.
    RgbQuad PixelAt(int x, int y) const;
    // Palette entry, black for an index past the palette's end.
    RgbQuad PaletteColour(unsigned index) const;
};
