// SPDX-License-Identifier: GPL-3.0-or-later
#include "image/formats/tiff/tiff_format.h"

#include "base/translatable.h"
#include "image/formats/signature_bytes.h"
#include "image/formats/tiff/tiff_decoder.h"

namespace {

// Classic and big TIFF, in either byte order.
bool IsTiff(std::span<const uint8_t> head, uint64_t)
{
    using namespace signature_bytes;
    using namespace std::string_view_literals;
    return StartsWith(head, "II*\0"sv) || StartsWith(head, "MM\0*"sv) || StartsWith(head, "II+\0"sv) ||
           StartsWith(head, "MM\0+"sv);
}

ImageRead Decode(const ImageFile& file, const ReadOptions&)
{
    return DecodeTiffFile(file);
}

constexpr FileExtension kExtensions[]{{"tif"}, {"tiff", false}};

}  // namespace

const ImageFormat kTiffFormat{"TIFF", IsTiff, kExtensions, QT_TRANSLATE_NOOP("Messages", "このTIFは読み込めません"),
                              Decode, false};
