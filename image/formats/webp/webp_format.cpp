// SPDX-License-Identifier: GPL-3.0-or-later
#include "image/formats/webp/webp_format.h"

#include "base/translatable.h"
#include "image/formats/signature_bytes.h"
#include "image/formats/webp/webp_decoder.h"

namespace {

bool IsWebp(std::span<const uint8_t> head, uint64_t)
{
    return signature_bytes::StartsWith(head, "RIFF") && signature_bytes::StartsWith(head, "WEBP", 8);
}

ImageRead Decode(const ImageFile& file, const ReadOptions& options)
{
    return DecodeWebpFile(file, options.Hint);
}

constexpr FileExtension kExtensions[]{{"webp"}};

}  // namespace

const ImageFormat kWebpFormat{"WebP", IsWebp, kExtensions, QT_TRANSLATE_NOOP("Messages", "このWEBPは読み込めません"),
                              Decode, true};
