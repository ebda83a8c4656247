// SPDX-License-Identifier: GPL-3.0-or-later
// The format table: one line a format, in the order the pickers list them
// (the patterns they have always shown first). A format is one folder of
// image/formats/ exporting its entry, one line here and one in
// image/CMakeLists.txt.
#include "image/formats/avif/avif_format.h"
#include "image/formats/bmp/bmp_format.h"
#include "image/formats/dynamic/timed_xml_format.h"
#include "image/formats/gif/gif_format.h"
#include "image/formats/heif/heif_format.h"
#include "image/formats/jpeg/jpeg_format.h"
#include "image/formats/jxl/jxl_format.h"
#include "image/formats/photo_cd/photo_cd_format.h"
#include "image/formats/png/png_format.h"
#include "image/formats/tiff/tiff_format.h"
#include "image/formats/webp/webp_format.h"
#include "image/image_format.h"

#include <array>

std::span<const ImageFormat* const> ImageFormats()
{
    // clang-format off
    static constexpr std::array kTable{
        &kBmpFormat,
        &kJpegFormat,
        &kGifFormat,
        &kPhotoCdFormat,
        &kTiffFormat,
        &kPngFormat,
        &kWebpFormat,
        &kAvifFormat,
        &kHeifFormat,
        &kJxlFormat,
        &kTimedXmlFormat,
    };
    // clang-format on
    return kTable;
}
