// SPDX-License-Identifier: GPL-3.0-or-later
#include "image/formats/avif/avif_format.h"

#include "base/translatable.h"
#include "image/formats/avif/avif_decoder.h"
#include "image/formats/iso_brands.h"

namespace {

bool IsAvif(std::span<const uint8_t> head, uint64_t)
{
    return IsoImageBrandOf(head) == IsoImageBrand::Avif;
}

ImageRead Decode(const ImageFile& file, const ReadOptions& options)
{
    return DecodeAvifFile(file, options.Hint);
}

constexpr FileExtension kExtensions[]{{"avif"}, {"avifs", false}};

}  // namespace

const ImageFormat kAvifFormat{"AVIF", IsAvif, kExtensions, QT_TRANSLATE_NOOP("Messages", "このAVIFは読み込めません"),
                              Decode, true};
