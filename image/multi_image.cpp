// SPDX-License-Identifier: GPL-3.0-or-later
#include "image/multi_image.h"

#include "base/translatable.h"
#include "image/colour/colour_management.h"
#include "image/fit/screen_fit.h"
#include "image/formats/avif/avif_decoder.h"
#include "image/formats/bmp/bmp_reader.h"
#include "image/formats/bmp/bmp_writer.h"
#include "image/formats/gif/gif_decoder.h"
#include "image/formats/heif/heif_decoder.h"
#include "image/formats/jpeg/jpeg_decoder.h"
#include "image/formats/jxl/jxl_decoder.h"
#include "image/formats/png/png_decoder.h"
#include "image/formats/tiff/tiff_decoder.h"
#include "image/formats/webp/webp_decoder.h"
#include "image/image_kind.h"
#include "image/palette/colour_reduction.h"

#include <algorithm>
#include <cctype>

namespace {

enum class Format { Jpeg, Gif, Tiff, Bmp, Png, Webp, Avif, Heic, Heif, Jxl, Unknown };

bool EndsWithHeif(const std::string& name)
{
    return name.size() >= 5 && std::equal(name.end() - 5, name.end(), ".heif",
                                          [](unsigned char a, char b) { return std::tolower(a) == b; });
}

// The reader for what the file's bytes are, whatever it is called.
Format FormatOfKind(ImageKind kind)
{
    switch (kind) {
    case ImageKind::Jpeg: return Format::Jpeg;
    case ImageKind::Gif: return Format::Gif;
    case ImageKind::Tiff: return Format::Tiff;
    case ImageKind::Bmp: return Format::Bmp;
    case ImageKind::Png: return Format::Png;
    case ImageKind::Webp: return Format::Webp;
    case ImageKind::Avif: return Format::Avif;
    case ImageKind::Heif: return Format::Heif;
    case ImageKind::Jxl: return Format::Jxl;
    default: return Format::Unknown;
    }
}

// The format a name stands for, by the spellings of its extension: it picks
// the message a file gets whose bytes are no picture. ".heic" and ".heics"
// name HEVC pictures; ".heif" any other.
Format FormatOfName(const std::string& name)
{
    const ImageKind kind = ImageKindOfName(name);
    if (kind == ImageKind::Heif && !EndsWithHeif(name))
        return Format::Heic;
    return FormatOfKind(kind);
}

const char* FailureText(Format f)
{
    switch (f) {
    case Format::Jpeg: return QT_TRANSLATE_NOOP("Messages", "このJPGは読み込めません");
    case Format::Gif: return QT_TRANSLATE_NOOP("Messages", "このGIFは読み込めません");
    case Format::Tiff: return QT_TRANSLATE_NOOP("Messages", "このTIFは読み込めません");
    case Format::Bmp: return QT_TRANSLATE_NOOP("Messages", "このBMPは読み込めません");
    case Format::Png: return QT_TRANSLATE_NOOP("Messages", "このPNGは読み込めません");
    case Format::Webp: return QT_TRANSLATE_NOOP("Messages", "このWEBPは読み込めません");
    case Format::Avif: return QT_TRANSLATE_NOOP("Messages", "このAVIFは読み込めません");
    case Format::Heic: return QT_TRANSLATE_NOOP("Messages", "このHEICは読み込めません");
    case Format::Heif: return QT_TRANSLATE_NOOP("Messages", "このHEIFは読み込めません");
    case Format::Jxl: return QT_TRANSLATE_NOOP("Messages", "このJXLは読み込めません");
    default: return "";
    }
}

ImageRead DecodeFile(Format f, const std::string& path, std::span<const uint8_t> bytes, const ScaleHint& hint)
{
    switch (f) {
    case Format::Jpeg: return DecodeJpegFile(path, hint);
    case Format::Gif: return DecodeGifFile(path);
    case Format::Tiff: return DecodeTiffFile(path);
    case Format::Bmp: return DecodeBmp(bytes);
    case Format::Png: return DecodePngFile(path, hint);
    case Format::Webp: return DecodeWebpFile(path, hint);
    case Format::Avif: return DecodeAvifFile(path, hint);
    case Format::Heic:
    case Format::Heif: return DecodeHeifFile(path, hint);
    case Format::Jxl: return DecodeJxlFile(path);
    default: return ImageRead::Failed(ReadFailure::NotValid, "not a format the component reads");
    }
}

// A reader that decodes only whole pictures (GIF, TIFF, BMP, JPEG XL; HEIF
// beyond its blocks) gives more than the hint asks: the picture is made the
// size asked for here, before its colours and its depth are worked on. A
// picture with a palette keeps its exact colours.
void ReduceToHint(DibPicture& picture, const ScaleHint& hint)
{
    const auto r = picture.BitCount == 24 ? ReductionFor(picture.Width, picture.Height, hint, true) : std::nullopt;
    DibPicture reduced;
    if (r && FitToScreen(picture, r->Fit, r->Width, r->Height, reduced))
        picture = std::move(reduced);
}

constexpr const char* kWriteFailed = "Writing bmp file failed";

}  // namespace

int DisplayDepthFor(int displayBitsPerPixel)
{
    if (displayBitsPerPixel <= 4)
        return 4;
    if (displayBitsPerPixel >= 16)
        return 24;
    return 8;
}

TPMultiImage::TPMultiImage() : writer_(WriteFileBeside)
{}

int TPMultiImage::ReadDepth() const
{
    switch (ImageReadRes) {
    case lMonoChrome: return 1;
    case lColor16: return 4;
    case lColor256: return 8;
    case lColorTrue: return 24;
    default: return DisplayDepthFor(displayBits_);
    }
}

int TPMultiImage::WriteDepth() const
{
    switch (ImageWriteRes) {
    case sColorVga: return 0;
    case sMonoChrome: return 1;
    case sColor16: return 4;
    case sColor256:
    case sJpegGray: return 8;
    case sColorTrue: return 24;
    default: return DisplayDepthFor(displayBits_);
    }
}

ImageResult TPMultiImage::SetImageName(const std::string& name)
{
    imageName_ = name;
    // The bytes choose the reader; the name, the message: a JPEG saved as
    // ".png" is read as a JPEG, and a damaged ".png" is told as a PNG. Bytes
    // that show no format go to the name's reader, which refuses them.
    const Format named = FormatOfName(name);
    const Format sniffed = FormatOfKind(SniffImageFile(name));
    const Format format = sniffed != Format::Unknown ? sniffed : named;
    ImageResult failed{ImageStatus::Failed, FailureText(named != Format::Unknown ? named : format)};
    // JPEG, GIF and TIFF files are decoded as their libraries read them; a
    // bitmap is read whole first.
    std::vector<uint8_t> bytes;
    const FileReadStatus status = format == Format::Bmp ? ReadImageFile(name, bytes) : ProbeImageFile(name);
    if (status != FileReadStatus::Ok) {
        picture_.Clear();
        if (status == FileReadStatus::Missing)
            return {ImageStatus::Missing, {}};
        return failed;
    }
    picture_.Clear();  // the old picture goes before the new one is made
    ImageRead decoded = DecodeFile(format, name, bytes, scaleHint_);
    bytes = {};
    if (!decoded.Ok())
        return failed;
    ReduceToHint(decoded.Picture, scaleHint_);
    // Shown in the colours the file means, converted at the size it is shown.
    ConvertToSrgb(decoded.Picture, decoded.Colour);
    // A picture deeper than the asked depth is reduced; a shallower one keeps
    // its palette (writing expands it when asked).
    const int depth = ReadDepth();
    if (decoded.Picture.BitCount > depth) {
        if (!ConvertToDepth(decoded.Picture, depth, ImageDither, picture_))
            return failed;
    } else {
        picture_ = std::move(decoded.Picture);
    }
    imageBitCount_ = decoded.FileBitCount;
    return {};
}

ImageResult TPMultiImage::SaveAsBmp(const std::string& name)
{
    if (!name.empty())
        DefSaveFilename = name;
    const ImageResult failed{ImageStatus::Failed, kWriteFailed};
    if (picture_.Empty() || DefSaveFilename.empty())
        return failed;
    const int depth = WriteDepth();
    bool written = false;
    if (ImageWriteRes == sJpegGray) {
        DibPicture grey;
        written = ToGreyScale(picture_, grey) && WriteBmpFile(DefSaveFilename, grey, writer_);
    } else if (depth == 0 || depth == picture_.BitCount) {
        written = WriteBmpFile(DefSaveFilename, picture_, writer_);
    } else {
        DibPicture converted;
        written = ConvertToDepth(picture_, depth, ImageDither, converted) &&
                  WriteBmpFile(DefSaveFilename, converted, writer_);
    }
    return written ? ImageResult{} : failed;
}
