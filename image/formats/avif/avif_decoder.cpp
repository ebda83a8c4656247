// SPDX-License-Identifier: GPL-3.0-or-later
#include "image/formats/avif/avif_decoder.h"

#include "image/formats/avif/avif_library.h"
#include "image/formats/heif/heif_boxes.h"
#include "image/formats/heif/heif_decoder.h"
#include "image/image_file.h"
#include "image/image_limits.h"
#include "image/orientation.h"

#include <algorithm>
#include <cmath>
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

// The part of the picture the clean aperture keeps, rounded to whole pixels
// (libavif refuses half-pixel offsets, and odd ones in subsampled pictures,
// which matter only before the conversion to RGB: the crop is made after
// it); the whole picture when there is none or it lies outside the picture.
avifCropRect CropOf(const avifImage& image)
{
    const avifCropRect whole{0, 0, image.width, image.height};
    if (!(image.transformFlags & AVIF_TRANSFORM_CLAP))
        return whole;
    const avifCleanApertureBox& c = image.clap;
    const auto d = [](uint32_t v) { return static_cast<double>(static_cast<int32_t>(v)); };
    if (d(c.widthD) <= 0 || d(c.heightD) <= 0 || d(c.horizOffD) <= 0 || d(c.vertOffD) <= 0)
        return whole;
    const double width = std::round(d(c.widthN) / d(c.widthD)), height = std::round(d(c.heightN) / d(c.heightD));
    // The aperture's centre lies its offset from the picture's.
    const double left = std::floor(d(c.horizOffN) / d(c.horizOffD) + (image.width - width) / 2 + 0.5);
    const double top = std::floor(d(c.vertOffN) / d(c.vertOffD) + (image.height - height) / 2 + 0.5);
    if (!(width >= 1 && height >= 1 && left >= 0 && top >= 0 && left + width <= image.width &&
          top + height <= image.height))
        return whole;
    return {static_cast<uint32_t>(left), static_cast<uint32_t>(top), static_cast<uint32_t>(width),
            static_cast<uint32_t>(height)};
}

// The largest block side (up to 8) whose averages still meet the hint.
uint32_t BlockFor(uint32_t w, uint32_t h, const ScaleHint& hint)
{
    uint32_t block = 1;
    while (hint.Wanted() && block < 8 && hint.LargeEnough((w + block) / (block + 1), (h + block) / (block + 1)))
        ++block;
    return block;
}

// The rows [from, from + count) of the picture as a picture of their own,
// sharing its planes: converted to RGB a band at a time, a large picture
// never needs its whole RGB copy. `from` is even where the colour planes
// have half the rows.
avifImage Band(const avifImage& image, uint32_t from, uint32_t count)
{
    avifImage band = image;
    band.height = count;
    const uint32_t chromaShift = image.yuvFormat == AVIF_PIXEL_FORMAT_YUV420 ? 1 : 0;
    for (int c = 0; c < 3; ++c)
        if (band.yuvPlanes[c])
            band.yuvPlanes[c] += static_cast<size_t>(c == 0 ? from : from >> chromaShift) * image.yuvRowBytes[c];
    if (band.alphaPlane)
        band.alphaPlane += static_cast<size_t>(from) * image.alphaRowBytes;
    return band;
}

// The decoded picture in 8-bit blue-green-red, the crop kept, each pixel
// the average of a block x block square where the hint allows (a picture
// far larger than the screen is reduced as it is converted, a band of rows
// at a time). A picture with alpha is converted with its alpha, which is
// then left out: asked without it, libavif multiplies the colours by it (a
// transparent picture drawn dark) where every other reader shows the
// colours as stored.
bool ToPicture(const AvifLibrary& avif, const avifImage& image, const avifCropRect& crop, const ScaleHint& hint,
               DibPicture& pic)
{
    const uint32_t w = image.width, bytes = image.alphaPlane ? 4 : 3;
    const uint32_t block = BlockFor(crop.width, crop.height, hint);
    if (!pic.Allocate(static_cast<int>((crop.width + block - 1) / block),
                      static_cast<int>((crop.height + block - 1) / block), 24, false))
        return false;
    // Each band is converted with two rows more above and below, which
    // the colour planes' upsampling reads: no seam between the bands.
    constexpr uint32_t kBandRows = 64, kContext = 2;  // even, for colour planes of half the rows
    std::vector<uint8_t> rows(static_cast<size_t>(w) * (kBandRows + 2 * kContext) * bytes);
    std::vector<uint32_t> sums(static_cast<size_t>(pic.Width) * 3);
    const uint32_t first = crop.y & ~1u, end = crop.y + crop.height;
    for (uint32_t from = first; from < end; from += kBandRows) {
        const uint32_t count = std::min(kBandRows, image.height - from);
        const uint32_t top = from >= kContext ? from - kContext : 0;
        const uint32_t bottom = std::min(image.height, from + count + kContext);
        avifImage band = Band(image, top, bottom - top);
        avifRGBImage rgb;
        avif.RGBImageSetDefaults(&rgb, &band);
        rgb.format = bytes == 4 ? AVIF_RGB_FORMAT_BGRA : AVIF_RGB_FORMAT_BGR;
        rgb.depth = 8;
        rgb.ignoreAlpha = AVIF_FALSE;
        rgb.alphaPremultiplied = image.alphaPremultiplied;
        rgb.pixels = rows.data();
        rgb.rowBytes = w * bytes;
        if (avif.ImageYUVToRGB(&band, &rgb) != AVIF_RESULT_OK)
            return false;
        for (uint32_t y = std::max(from, crop.y); y < std::min(from + count, end); ++y) {
            const uint8_t* s = &rows[(static_cast<size_t>(y - top) * w + crop.x) * bytes];
            for (uint32_t x = 0; x < crop.width; ++x, s += bytes) {
                uint32_t* d = &sums[static_cast<size_t>(x / block) * 3];
                d[0] += s[0], d[1] += s[1], d[2] += s[2];
            }
            // The last row of a block row: its averages are written.
            const uint32_t inBlock = (y - crop.y) % block + 1;
            if (inBlock < block && y + 1 < end)
                continue;
            uint8_t* d = pic.TopRow(static_cast<int>((y - crop.y) / block));
            for (int ox = 0; ox < pic.Width; ++ox) {
                const uint32_t n = (std::min(crop.width, (ox + 1) * block) - ox * block) * inBlock;
                for (int c = 0; c < 3; ++c, ++d)
                    *d = static_cast<uint8_t>((sums[static_cast<size_t>(ox) * 3 + c] + n / 2) / n);
            }
            std::fill(sums.begin(), sums.end(), 0u);
        }
    }
    pic.ClearPadding();
    return true;
}

// A grid of more tiles than this goes to libheif, which decodes one tile
// after the other: libavif keeps a decoder for every tile at once (a
// 4096-tile grid of a few hundred kilobytes took gigabytes).
constexpr int64_t kMostAvifTiles = 64;

}  // namespace

ImageRead DecodeAvif(std::span<const uint8_t> bytes, const ScaleHint& hint)
{
    const AvifLibrary* avif = AvifLibrary::Get();
    if (!avif)
        return DecodeHeif(bytes, hint);
    // A grid's tiles are counted before any is decoded.
    if (!HeifGridWithinLimits(bytes))
        return ImageRead::Failed(ReadFailure::NotValid, "AVIF: grid of tiles too large");
    if (const auto grid = ReadHeifGridCost(bytes); grid && grid->Tiles > kMostAvifTiles)
        return DecodeHeif(bytes, hint);
    std::unique_ptr<avifDecoder, DecoderFree> dec(avif->DecoderCreate(), DecoderFree{avif});
    if (!dec || bytes.empty())
        return ImageRead::Failed(ReadFailure::NotValid, "AVIF: not an AVIF file");
    dec->maxThreads = static_cast<int>(std::clamp(std::thread::hardware_concurrency(), 1u, 4u));
    dec->imageSizeLimit = static_cast<uint32_t>(
        std::min<int64_t>(image_limits::MaxPixels(), std::numeric_limits<uint32_t>::max()));
    // Files from cameras and phones bend a rule or two that libavif checks
    // by default; libheif reads them, and so does this reader.
    dec->strictFlags = AVIF_STRICT_DISABLED;
    // What libavif refuses to read or to convert, libheif may still show:
    // two "ipma" boxes of the same version (files with alpha from some
    // encoders), matrix coefficients 10.
    if (avif->DecoderSetIOMemory(dec.get(), bytes.data(), bytes.size()) != AVIF_RESULT_OK ||
        avif->DecoderParse(dec.get()) != AVIF_RESULT_OK)
        return DecodeHeif(bytes, hint);
    if (!image_limits::Acceptable(dec->image->width, dec->image->height))
        return ImageRead::Failed(ReadFailure::NotValid, "AVIF: picture too large");
    if (avif->DecoderNextImage(dec.get()) != AVIF_RESULT_OK)
        return DecodeHeif(bytes, hint);
    avifImage* image = dec->image;
    // The container's own turn and mirror win; without them, the Exif
    // orientation.
    const bool turns = image->transformFlags & (AVIF_TRANSFORM_IROT | AVIF_TRANSFORM_IMIR);
    const int orientation = turns ? OrientationOfTurnAndMirror(
                                        (image->transformFlags & AVIF_TRANSFORM_IROT) ? image->irot.angle : 0,
                                        (image->transformFlags & AVIF_TRANSFORM_IMIR) ? image->imir.mode : -1)
                                  : ExifOrientationOf(image->exif);
    // Reduced for the picture as it is shown (turned a quarter for
    // orientations 5 to 8).
    ImageRead out;
    if (!ToPicture(*avif, *image, CropOf(*image), orientation >= 5 ? hint.Turned() : hint, out.Picture)) {
        dec.reset();
        out = {};
        return DecodeHeif(bytes, hint);
    }
    if (!MakeUpright(out.Picture, orientation))
        return ImageRead::Failed(ReadFailure::NotValid, "AVIF: no memory to turn the picture upright");
    // A profile too large to read counts as none.
    if (image->icc.size > 0 && image->icc.size <= kMostIccBytes)
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
