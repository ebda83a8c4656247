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

constexpr FileExtension kExtensions[]{{"webp"}};

}  // namespace

const ImageFormat kWebpFormat{
    .Kind = "WebP",
    .Signature = IsWebp,
    .Extensions = kExtensions,
    .FailureText = QT_TRANSLATE_NOOP("Messages", "このWEBPは読み込めません"),
    .Decode = DecodeWith<DecodeWebpFile>,
    .TakesScaleHint = true,
};
