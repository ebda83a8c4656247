// SPDX-License-Identifier: GPL-3.0-or-later
#include "image/formats/gif/gif_format.h"

#include "base/translatable.h"
#include "image/formats/gif/gif_decoder.h"
#include "image/formats/signature_bytes.h"

namespace {

bool IsGif(std::span<const uint8_t> head, uint64_t)
{
    return signature_bytes::StartsWith(head, "GIF87a") || signature_bytes::StartsWith(head, "GIF89a");
}

ImageRead Decode(const ImageFile& file, const ReadOptions&)
{
    return DecodeGifFile(file);
}

constexpr FileExtension kExtensions[]{{"gif"}};

}  // namespace

const ImageFormat kGifFormat{"GIF",  IsGif, kExtensions, QT_TRANSLATE_NOOP("Messages", "このGIFは読み込めません"),
                             Decode, false};
