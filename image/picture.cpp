#include "image/picture.h"

#include "image/image_limits.h"

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
    if (zeroFill)
        Bits.assign(bytes, 0);
    else
        Bits.resize(bytes);
    return true;
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
    case 24:
        return {row[3 * x], row[3 * x + 1], row[3 * x + 2], 0};
    case 8:
        return PaletteColour(row[x]);
    case 4:
        return PaletteColour((x & 1) ? (row[x / 2] & 0x0F) : (row[x / 2] >> 4));
    case 1:
        return PaletteColour((row[x / 8] >> (7 - (x & 7))) & 1);
    default:
        return {};
    }
}
