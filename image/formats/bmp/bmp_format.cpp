// SPDX-License-Identifier: GPL-3.0-or-later
#include "image/formats/bmp/bmp_format.h"

#include "base/translatable.h"
#include "image/formats/bmp/bmp_reader.h"
#include "image/formats/signature_bytes.h"

#include <algorithm>
#include <array>

namespace {

// A bitmap's two letters are common text; the header that follows must be
// one of the sizes the bitmap versions define.
bool IsBitmap(std::span<const uint8_t> head, uint64_t)
{
    using namespace signature_bytes;
    if (!StartsWith(head, "BM") || head.size() < 18)
        return false;
    static constexpr std::array<uint32_t, 7> kInfoSizes{12, 40, 52, 56, 64, 108, 124};
    return std::ranges::find(kInfoSizes, LittleEndian32(head, 14)) != kInfoSizes.end();
}

ImageRead Decode(const ImageFile& file, const ReadOptions&)
{
    return ReadBmpFile(file);
}

constexpr FileExtension kExtensions[]{{"bmp"}};

}  // namespace

const ImageFormat kBmpFormat{"BMP",  IsBitmap, kExtensions, QT_TRANSLATE_NOOP("Messages", "このBMPは読み込めません"),
                             Decode, false};
