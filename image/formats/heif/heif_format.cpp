// SPDX-License-Identifier: GPL-3.0-or-later
#include "image/formats/heif/heif_format.h"

#include "base/translatable.h"
#include "image/formats/dynamic/dynamic_wallpaper.h"
#include "image/formats/heif/heif_decoder.h"
#include "image/formats/iso_brands.h"

namespace {

bool IsHeif(std::span<const uint8_t> head, uint64_t)
{
    return IsoImageBrandOf(head) == IsoImageBrand::Heif;
}

// ".heic" and ".heics" name HEVC pictures; ".heif" any other.
constexpr const char* kHeicFailure = QT_TRANSLATE_NOOP("Messages", "このHEICは読み込めません");

// A dynamic HEIC file shows its picture for now (image/formats/dynamic/).
ImageRead Decode(const ImageFile& file, const ReadOptions& options)
{
    return DecodeWholeFile(file, "HEIF", [&](std::span<const uint8_t> bytes) {
        if (std::optional<ImageRead> dynamic = DecodeIfDynamicHeif(bytes, options.Hint))
            return std::move(*dynamic);
        return DecodeHeif(bytes, options.Hint);
    });
}

constexpr FileExtension kExtensions[]{{"heic", true, kHeicFailure}, {"heif"}, {"heics", false, kHeicFailure}};

}  // namespace

const ImageFormat kHeifFormat{
    .Kind = "HEIF",
    .Signature = IsHeif,
    .Extensions = kExtensions,
    .FailureText = QT_TRANSLATE_NOOP("Messages", "このHEIFは読み込めません"),
    .Decode = Decode,
    .TakesScaleHint = true,
};
