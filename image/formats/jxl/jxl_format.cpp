// SPDX-License-Identifier: GPL-3.0-or-later
#include "image/formats/jxl/jxl_format.h"

#include "base/translatable.h"
#include "image/formats/jxl/jxl_decoder.h"
#include "image/formats/signature_bytes.h"

namespace {

// A bare JPEG XL codestream, or the container's signature box.
bool IsJxl(std::span<const uint8_t> head, uint64_t)
{
    using namespace std::string_view_literals;
    return signature_bytes::StartsWith(head, "\xFF\x0A") ||
           signature_bytes::StartsWith(head, "\0\0\0\x0CJXL \r\n\x87\n"sv);
}

ImageRead Decode(const ImageFile& file, const ReadOptions&)
{
    return DecodeJxlFile(file);
}

constexpr FileExtension kExtensions[]{{"jxl"}};

}  // namespace

const ImageFormat kJxlFormat{"JPEG XL", IsJxl, kExtensions, QT_TRANSLATE_NOOP("Messages", "このJXLは読み込めません"),
                             Decode,    false};
