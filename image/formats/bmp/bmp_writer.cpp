// SPDX-License-Identifier: GPL-3.0-or-later
#include "image/formats/bmp/bmp_writer.h"

#include <array>
#include <span>

namespace {

void Put16(std::vector<uint8_t>& v, uint32_t x)
{
    v.push_back(static_cast<uint8_t>(x));
    v.push_back(static_cast<uint8_t>(x >> 8));
}

void Put32(std::vector<uint8_t>& v, uint32_t x)
{
    Put16(v, x & 0xFFFF);
    Put16(v, x >> 16);
}

}  // namespace

std::vector<uint8_t> BmpHeaderFor(const DibPicture& pic)
{
    const size_t paletteEntries = pic.BitCount <= 8 ? pic.Palette.size() : 0;
    const uint32_t offBits = static_cast<uint32_t>(14 + 40 + 4 * paletteEntries);
    const uint32_t imageSize = static_cast<uint32_t>(pic.Bits.size());
    std::vector<uint8_t> h;
    h.reserve(offBits);
    h.push_back('B');
    h.push_back('M');
    Put32(h, offBits + imageSize);
    Put32(h, 0);
    Put32(h, offBits);
    Put32(h, 40);
    Put32(h, static_cast<uint32_t>(pic.Width));
    Put32(h, static_cast<uint32_t>(pic.Height));
    Put16(h, 1);
    Put16(h, static_cast<uint32_t>(pic.BitCount));
    Put32(h, 0);  // BI_RGB
    Put32(h, imageSize);
    Put32(h, 2835);  // 72 dots per inch
    Put32(h, 2835);
    Put32(h, static_cast<uint32_t>(paletteEntries));
    Put32(h, 0);
    for (size_t i = 0; i < paletteEntries; ++i) {
        const RgbQuad& q = pic.Palette[i];
        h.insert(h.end(), {q.Blue, q.Green, q.Red, 0});
    }
    return h;
}

std::vector<uint8_t> EncodeBmp(const DibPicture& picture)
{
    std::vector<uint8_t> file = BmpHeaderFor(picture);
    file.insert(file.end(), picture.Bits.begin(), picture.Bits.end());
    return file;
}

bool WriteBmpFile(const std::string& path, const DibPicture& picture, const FileWriter& writer)
{
    if (picture.Empty() || !writer)
        return false;
    const std::vector<uint8_t> header = BmpHeaderFor(picture);
    const std::array<std::span<const uint8_t>, 2> parts{std::span<const uint8_t>(header),
                                                        std::span<const uint8_t>(picture.Bits)};
    return writer(path, parts);
}
