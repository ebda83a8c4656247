// SPDX-License-Identifier: GPL-3.0-or-later
#include "image/formats/png/png_decoder.h"

#include "image/fit/screen_fit.h"
#include "image/fit/streaming_fit.h"
#include "image/formats/png/inflated_png_stream.h"
#include "image/image_file.h"
#include "image/image_limits.h"
#include "image/orientation.h"

#include <png.h>
#include <sys/stat.h>

#include <algorithm>
#include <cmath>
#include <csetjmp>
#include <cstdio>
#include <optional>
#include <vector>

namespace {

void Silent(png_structp, png_const_charp)
{}

void OnError(png_structp png, png_const_charp)
{
    png_longjmp(png, 1);
}

// True when the chromaticities are sRGB's (and BT.709's), as far as a
// file's five decimals tell.
bool SrgbPrimaries(const Chromaticities& c)
{
    const double srgb[8] = {0.3127, 0.3290, 0.64, 0.33, 0.30, 0.60, 0.15, 0.06};
    const double got[8] = {c.WhiteX, c.WhiteY, c.RedX, c.RedY, c.GreenX, c.GreenY, c.BlueX, c.BlueY};
    for (int i = 0; i < 8; ++i)
        if (std::abs(got[i] - srgb[i]) > 0.001)
            return false;
    return true;
}

// What the file says its colours are: an embedded profile first, then an
// outright sRGB, then its gamma and chromaticities. A gamma of 1/2.2, alone
// or with sRGB's chromaticities, is what most writers put for sRGB and is
// taken as such.
ColourTag PngColourTag(png_structp png, png_infop info)
{
    ColourTag tag;
    png_charp name = nullptr;
    int compression = 0;
    png_bytep profile = nullptr;
    png_uint_32 length = 0;
    double gamma = 0;
    Chromaticities c{};
    const bool chrm = png_get_cHRM(png, info, &c.WhiteX, &c.WhiteY, &c.RedX, &c.RedY, &c.GreenX, &c.GreenY, &c.BlueX,
                                   &c.BlueY) != 0;
    if (png_get_iCCP(png, info, &name, &compression, &profile, &length) != 0 && profile && length > 0) {
        tag.Icc.assign(profile, profile + length);
    } else if (png_get_valid(png, info, PNG_INFO_sRGB) != 0) {
        tag.Srgb = true;
    } else {
        const bool srgbGamma = png_get_gAMA(png, info, &gamma) != 0 && gamma >= 0.45 && gamma <= 0.46;
        if (!srgbGamma && gamma > 0)
            tag.Curve = Transfer::Gamma, tag.Exponent = 1 / gamma;
        if (chrm && !(srgbGamma && SrgbPrimaries(c)))
            tag.Primaries = c;
    }
    return tag;
}

// What reading the pixels needs beside the picture, held by the caller: a
// read error jumps out past the reading, which must leave nothing to free.
struct PixelBuffers {
    std::vector<png_bytep> rows;
    std::vector<uint8_t> row;
    StreamingFit reduce;
};

// The pixels, once the header is read and the conversions set: reduced as
// the rows come when `reduction` is set, else the whole picture.
bool ReadPixels(png_structp png, int w, int h, const std::optional<Reduction>& reduction, DibPicture& pic,
                PixelBuffers& b)
{
    if (reduction) {
        if (!b.reduce.Start(w, h, reduction->Fit, reduction->Width, reduction->Height, pic))
            return false;
        b.row.resize(static_cast<size_t>(w) * 3);
        for (int y = 0; y < b.reduce.EndRow(); ++y) {
            png_read_row(png, b.row.data(), nullptr);
            b.reduce.Push(y, b.row.data());
        }
        return b.reduce.Done();
    }
    if (!pic.Allocate(w, h, 24))
        return false;
    b.rows.resize(static_cast<size_t>(h));
    for (int y = 0; y < h; ++y)
        b.rows[static_cast<size_t>(y)] = pic.TopRow(y);
    png_read_image(png, b.rows.data());
    return true;
}

}  // namespace

ImageRead DecodePngFile(const ImageFile& file, const ScaleHint& hint)
{
    std::FILE* f = file.Stream();
    if (!f)
        return ImageRead::Failed(ReadFailure::Unreadable, "PNG: cannot open the file");
    const uint64_t fileBytes = file.Size();
    // Inflated in one go where it can be; otherwise libpng streams the file.
    InflatedPngStream inflated;
    const bool inflatedWhole = inflated.Prepare(f, fileBytes);
    png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, OnError, Silent);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    ImageRead out;
    // Changed after setjmp and read after a jump back to it.
    volatile bool ok = false;
    volatile int orientation = 1;
    PixelBuffers buffers;
    if (png && info) {
        if (setjmp(png_jmpbuf(png)) == 0) {
            if (inflatedWhole)
                inflated.InstallOn(png);
            else
                png_init_io(png, f);
            png_read_info(png, info);
            const png_uint_32 w = png_get_image_width(png, info);
            const png_uint_32 h = png_get_image_height(png, info);
            const int depth = png_get_bit_depth(png, info);
            const int type = png_get_color_type(png, info);
            out.FileBitCount = depth * png_get_channels(png, info);
            out.Colour = PngColourTag(png, info);
            // A phone's screenshot records how it was held in an eXIf chunk
            // ahead of the image data, as a camera's JPEG does.
            png_uint_32 exifBytes = 0;
            png_bytep exif = nullptr;
            if (png_get_eXIf_1(png, info, &exifBytes, &exif) != 0 && exif)
                orientation = TiffExifOrientation({exif, exifBytes});
            // A header that promises more pixels than the file could hold
            // is refused before the picture is allocated.
            if (image_limits::Acceptable(w, h) &&
                image_limits::StoredBytesCanHold(w, h, fileBytes, image_limits::kMaxPixelsPerByteDeflated)) {
                if (depth == 16)
                    png_set_strip_16(png);
                if (type == PNG_COLOR_TYPE_PALETTE || depth < 8)
                    png_set_expand(png);
                if (type == PNG_COLOR_TYPE_GRAY || type == PNG_COLOR_TYPE_GRAY_ALPHA)
                    png_set_gray_to_rgb(png);
                png_set_strip_alpha(png);
                png_set_bgr(png);
                png_set_interlace_handling(png);
                png_read_update_info(png, info);
                // A picture shown turned a quarter meets the hint turned.
                const bool interlaced = png_get_interlace_type(png, info) != PNG_INTERLACE_NONE;
                const auto reduction = interlaced
                                           ? std::nullopt
                                           : ReductionFor(static_cast<int>(w), static_cast<int>(h),
                                                          orientation >= 5 ? hint.Turned() : hint, orientation == 1);
                ok = png_get_rowbytes(png, info) == size_t{w} * 3 &&
                     ReadPixels(png, static_cast<int>(w), static_cast<int>(h), reduction, out.Picture, buffers);
            }
        }
    }
    png_destroy_read_struct(png ? &png : nullptr, info ? &info : nullptr, nullptr);
    std::fclose(f);
    if (!ok)
        return ImageRead::Failed(ReadFailure::NotValid, "PNG: not decodable");
    if (!MakeUpright(out.Picture, orientation))
        return ImageRead::Failed(ReadFailure::NotValid, "PNG: no memory to turn the picture upright");
    out.Failure = ReadFailure::None;
    return out;
}
