// SPDX-License-Identifier: GPL-3.0-or-later
#include "image/formats/avif/avif_decoder.h"

#include "image/formats/avif/avif_library.h"
#include "image/formats/heif/heif_boxes.h"
#include "image/formats/heif/heif_decoder.h"
#include "image/image_file.h"
#include "image/image_limits.h"
#include "image/orientation.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <memory>
#include <thread>
#include <vector>

namespace {

struct DecoderFree {
    const AvifLibrary* avif;
    void operator()(avifDecoder* d) const { avif->DecoderDestroy(d); }
};

// The orientation an Exif block records; libavif may keep the offset of its
// TIFF header before it.
int ExifOrientationOf(const avifRWData& exif)
{
    std::span<const uint8_t> block(exif.data, exif.size);
    const bool tiff = block.size() >= 2 && (block[0] == 'I' || block[0] == 'M') && block[0] == block[1];
    const bool prefixed = block.size() >= 4 && std::memcmp(block.data(), "Exif", 4) == 0;
    if (!tiff && !prefixed && block.size() >= 4) {
        const size_t offset = size_t{block[0]} << 24 | size_t{block[1]} << 16 | size_t{block[2]} << 8 | block[3];
        block = offset <= block.size() - 4 ? block.subspan(4 + offset) : std::span<const uint8_t>{};
    }
    return TiffExifOrientation(block);
}

// The part of the picture the clean aperture keeps; the whole picture when
// there is none or it breaks the rules.
avifCropRect CropOf(const AvifLibrary& avif, const avifImage& image)
{
    avifCropRect whole{0, 0, image.width, image.height}, crop = whole;
    avifDiagnostics diag{};
    if ((image.transformFlags & AVIF_TRANSFORM_CLAP) &&
        !avif.CropRectConvertCleanApertureBox(&crop, &image.clap, image.width, image.height, image.yuvFormat, &diag))
        crop = whole;
    return crop;
}

// The decoded picture in 8-bit blue-green-red, the crop kept.
bool ToPicture(const AvifLibrary& avif, avifImage* image, const avifCropRect& crop, DibPicture& pic)
{
    const uint32_t w = image->width, h = image->height;
    std::vector<uint8_t> rows(static_cast<size_t>(w) * h * 3);
    avifRGBImage rgb;
    avif.RGBImageSetDefaults(&rgb, image);
    rgb.format = AVIF_RGB_FORMAT_BGR;
    rgb.depth = 8;
    rgb.pixels = rows.data();
    rgb.rowBytes = w * 3;
    if (avif.ImageYUVToRGB(image, &rgb) != AVIF_RESULT_OK ||
        !pic.Allocate(static_cast<int>(crop.width), static_cast<int>(crop.height), 24))
        return false;
    for (uint32_t y = 0; y < crop.height; ++y) {
        uint8_t* d = pic.TopRow(static_cast<int>(y));
        std::memcpy(d, &rows[(static_cast<size_t>(crop.y + y) * w + crop.x) * 3], static_cast<size_t>(crop.width) * 3);
        std::fill(d + static_cast<size_t>(crop.width) * 3, d + pic.Stride(), uint8_t{0});
    }
    return true;
}

}  // namespace

ImageRead DecodeAvif(std::span<const uint8_t> bytes, const ScaleHint& hint)
{
    const AvifLibrary* avif = AvifLibrary::Get();
    if (!avif)
        return DecodeHeif(bytes, hint);
    // A grid's tiles are counted before any is decoded.
    if (!HeifGridWithinLimits(bytes))
        return ImageRead::Failed(ReadFailure::NotValid, "AVIF: grid of tiles too large");
    std::unique_ptr<avifDecoder, DecoderFree> dec(avif->DecoderCreate(), DecoderFree{avif});
    if (!dec || bytes.empty())
        return ImageRead::Failed(ReadFailure::NotValid, "AVIF: not an AVIF file");
    dec->maxThreads = static_cast<int>(std::clamp(std::thread::hardware_concurrency(), 1u, 4u));
    dec->imageSizeLimit = static_cast<uint32_t>(
        std::min<int64_t>(image_limits::MaxPixels(), std::numeric_limits<uint32_t>::max()));
    // Files from cameras and phones bend a rule or two that libavif checks
    // by default; libheif reads them, and so does this reader.
    dec->strictFlags = AVIF_STRICT_DISABLED;
    if (avif->DecoderSetIOMemory(dec.get(), bytes.data(), bytes.size()) != AVIF_RESULT_OK ||
        avif->DecoderParse(dec.get()) != AVIF_RESULT_OK)
        return ImageRead::Failed(ReadFailure::NotValid, "AVIF: not an AVIF file");
    if (!image_limits::Acceptable(dec->image->width, dec->image->height))
        return ImageRead::Failed(ReadFailure::NotValid, "AVIF: picture too large");
    if (avif->DecoderNextImage(dec.get()) != AVIF_RESULT_OK)
        return ImageRead::Failed(ReadFailure::NotValid, "AVIF: not decodable");
    avifImage* image = dec->image;
    ImageRead out;
    if (!ToPicture(*avif, image, CropOf(*avif, *image), out.Picture))
        return ImageRead::Failed(ReadFailure::NotValid, "AVIF: no picture decoded");
    // The container's own turn and mirror win; without them, the Exif
    // orientation.
    const bool turns = image->transformFlags & (AVIF_TRANSFORM_IROT | AVIF_TRANSFORM_IMIR);
    const int orientation = turns ? OrientationOfTurnAndMirror(
                                        (image->transformFlags & AVIF_TRANSFORM_IROT) ? image->irot.angle : 0,
                                        (image->transformFlags & AVIF_TRANSFORM_IMIR) ? image->imir.mode : -1)
                                  : ExifOrientationOf(image->exif);
    if (!MakeUpright(out.Picture, orientation))
        return ImageRead::Failed(ReadFailure::NotValid, "AVIF: no memory to turn the picture upright");
    if (image->icc.size > 0)
        out.Colour.Icc.assign(image->icc.data, image->icc.data + image->icc.size);
    else
        out.Colour = ColourTagFromNclx(image->colorPrimaries, image->transferCharacteristics);
    out.FileBitCount = static_cast<int>(image->depth) * 3;
    out.Failure = ReadFailure::None;
    return out;
}

ImageRead DecodeAvifFile(const ImageFile& file, const ScaleHint& hint)
{
    return DecodeWholeFile(file, "AVIF", [&](std::span<const uint8_t> bytes) { return DecodeAvif(bytes, hint); });
}
