// SPDX-License-Identifier: GPL-3.0-or-later
#include "image/formats/jpeg/jpeg_format.h"

#include "base/translatable.h"
#include "image/formats/jpeg/jpeg_decoder.h"
#include "image/formats/signature_bytes.h"

namespace {

bool IsJpeg(std::span<const uint8_t> head, uint64_t)
{
    return signature_bytes::StartsWith(head, "\xFF\xD8\xFF");
}

ImageRead Decode(const ImageFile& file, const ReadOptions& options)
{
    return DecodeJpegFile(file, options.Hint);
}

constexpr FileExtension kExtensions[]{{"jpg"}, {"jpeg", false}, {"jpe", false}, {"jfif", false}};

}  // namespace

const ImageFormat kJpegFormat{"JPEG", IsJpeg, kExtensions, QT_TRANSLATE_NOOP("Messages", "このJPGは読み込めません"),
                              Decode, true};
