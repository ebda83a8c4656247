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

struct TRgbQuad {
    uint8_t Blue = 0;
    uint8_t Green = 0;
    uint8_t Red = 0;
    uint8_t Reserved = 0;
    bool operator==(const TRgbQuad&) const = default;
};

// Leaves new bytes uninitialised: a decoder writes every pixel anyway, and
// zero-filling a 72 MB picture first costs a pass over it.
template <class T>
struct TNoInitAllocator : std::allocator<T> {
    template <class U>
    struct rebind {
        using other = TNoInitAllocator<U>;
    };
    TNoInitAllocator() = default;
    template <class U>
    TNoInitAllocator(const TNoInitAllocator<U>&) noexcept {}
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

class TPicture {
public:
    using TBits = std::vector<uint8_t, TNoInitAllocator<uint8_t>>;

    // 1, 4 and 8 bits carry a palette (entries past its end show black); 24
    // bits are blue, green, red.
    int Width = 0;
    int Height = 0;
    int BitCount = 0;
    std::vector<TRgbQuad> Palette;
    TBits Bits;

    bool Empty() const { return Width <= 0 || Height <= 0 || Bits.empty(); }
    void Clear();

    // Bytes per stored row for a width and depth (the four-byte padding included).
    static size_t RowStride(int width, int bitCount);
    size_t Stride() const { return RowStride(Width, BitCount); }

    // Sizes the picture, zero-filled unless the caller writes every byte
    // itself. False, leaving it empty, when the dimensions are not positive,
    // the depth is not 1, 4, 8 or 24, or the picture would exceed the pixel limit.
    bool Allocate(int width, int height, int bitCount, bool zeroFill = true);

    // Row y counted from the top of the picture.
    uint8_t* TopRow(int y) { return Bits.data() + static_cast<size_t>(Height - 1 - y) * Stride(); }
    const uint8_t* TopRow(int y) const { return Bits.data() + static_cast<size_t>(Height - 1 - y) * Stride(); }

    // The colour of one pixel (x, y from the top left); for tests and small probes.
    TRgbQuad PixelAt(int x, int y) const;
    // Palette entry, black for an index past the palette's end.
    TRgbQuad PaletteColour(unsigned index) const;
};
