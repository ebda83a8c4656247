// SPDX-License-Identifier: GPL-3.0-or-later
#include "image/formats/photo_cd/photo_cd_format.h"

#include "image/formats/photo_cd/photo_cd.h"
#include "image/formats/signature_bytes.h"

namespace {

// An Image Pac names itself in its second sector; a file shorter than the
// largest base picture the reader takes is no whole Photo CD image.
bool IsPhotoCd(std::span<const uint8_t> head, uint64_t fileSize)
{
    constexpr uint64_t kBaseEnd = 0x30000 + 768 * 512 * 3 / 2;
    return signature_bytes::StartsWith(head, "PCD_IPI", 0x800) && fileSize >= kBaseEnd;
}

ImageRead Decode(const ImageFile& file, const ReadOptions& options)
{
    return DecodePcdFile(file, pcdMedium, options.CutOff);
}

constexpr FileExtension kExtensions[]{{"pcd"}};

}  // namespace

const ImageFormat kPhotoCdFormat{"Photo CD", IsPhotoCd, kExtensions, "", Decode, false};
