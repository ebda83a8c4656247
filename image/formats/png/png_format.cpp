// SPDX-License-Identifier: GPL-3.0-or-later
#include "image/formats/png/png_format.h"

#include "base/translatable.h"
#include "image/formats/png/png_decoder.h"
#include "image/formats/signature_bytes.h"

namespace {

bool IsPng(std::span<const uint8_t> head, uint64_t)
{
    return signature_bytes::StartsWith(head, "\x89PNG\r\n\x1A\n");
}

ImageRead Decode(const ImageFile& file, const ReadOptions& options)
{
    return DecodePngFile(file, options.Hint);
}

constexpr FileExtension kExtensions[]{{"png"}};

}  // namespace

const ImageFormat kPngFormat{"PNG",  IsPng, kExtensions, QT_TRANSLATE_NOOP("Messages", "このPNGは読み込めません"),
                             Decode, true};
