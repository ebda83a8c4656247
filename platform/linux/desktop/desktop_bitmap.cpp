// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/linux/desktop/desktop_bitmap.h"

#include "image/formats/bmp/bmp_reader.h"

#include <bit>
#include <cstring>

namespace platform {

bool DesktopBitmap::Load(const std::string& path)
{
    // The program's own bitmap reader: every depth and compression, sizes
    // checked before anything is allocated.
    ImageRead read = ReadBmpFile(path);
    if (!read.Ok() || read.Picture.Empty())
        return false;
    own_ = std::move(read.Picture);
    picture_ = &own_;
    MakeColours();
    return true;
}

void DesktopBitmap::Use(const DibPicture& picture)
{
    own_.Clear();
    picture_ = &picture;
    MakeColours();
}

void DesktopBitmap::MakeColours()
{
    if (picture_->BitCount <= 8)
        for (unsigned i = 0; i < 256; ++i) {
            const RgbQuad q = picture_->PaletteColour(i);
            colours_[i] = 0xff000000u | (std::uint32_t{q.Red} << 16) | (std::uint32_t{q.Green} << 8) | q.Blue;
        }
}

void DesktopBitmap::Row(int y, std::uint32_t* out) const
{
    const std::uint8_t* src = picture_->TopRow(y);
    const int width = picture_->Width;
    switch (picture_->BitCount) {
    case 24: {
        int x = 0;
        if constexpr (std::endian::native == std::endian::little) {
            // Blue, green, red and the next pixel's blue read as one word: the
            // top byte is then replaced. The last pixel is read byte by byte,
            // so nothing past the row's end is touched.
            for (; x + 1 < width; ++x, src += 3) {
                std::uint32_t v;
                std::memcpy(&v, src, 4);
                out[x] = v | 0xff000000u;
            }
        }
        for (; x < width; ++x, src += 3)
            out[x] = 0xff000000u | (std::uint32_t{src[2]} << 16) | (std::uint32_t{src[1]} << 8) | src[0];
        return;
    }
    case 8:
        for (int x = 0; x < width; ++x)
            out[x] = colours_[src[x]];
        return;
    default: {
        const int bits = picture_->BitCount;  // 1 or 4
        const int perByte = 8 / bits;
        const unsigned mask = (1u << bits) - 1;
        for (int x = 0; x < width; ++x) {
            const int shift = 8 - bits * (x % perByte + 1);
            out[x] = colours_[(src[x / perByte] >> shift) & mask];
        }
    }
    }
}

}  // namespace platform
