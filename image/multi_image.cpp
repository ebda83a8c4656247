// SPDX-License-Identifier: GPL-3.0-or-later
#include "image/multi_image.h"
#include "base/translatable.h"

#include "image/formats/bmp/bmp_reader.h"
#include "image/formats/bmp/bmp_writer.h"
#include "image/palette/colour_reduction.h"
#include "image/formats/gif/gif_decoder.h"
#include "image/formats/heif/heif_decoder.h"
#include "image/formats/jpeg/jpeg_decoder.h"
#include "image/formats/jxl/jxl_decoder.h"
#include "image/formats/png/png_decoder.h"
#include "image/formats/tiff/tiff_decoder.h"
#include "image/formats/webp/webp_decoder.h"

#include <algorithm>
#include <cctype>

namespace {

enum class Format { Jpeg, Gif, Tiff, Bmp, Png, Webp, Avif, Heic, Heif, Jxl, Unknown };

std::string UpperExtension(const std::string& name)
{
    const size_t dot = name.find_last_of('.');
    const size_t slash = name.find_last_of('/');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash))
        return {};
    std::string ext = name.substr(dot);
    std::transform(ext.begin(), ext.end(), ext.begin(), [](unsigned char c) { return std::toupper(c); });
    return ext;
}

Format FormatOf(const std::string& ext)
{
    if (ext == ".JPG")
        return Format::Jpeg;
    if (ext == ".GIF")
        return Format::Gif;
    if (ext == ".TIF")
        return Format::Tiff;
    if (ext == ".BMP")
        return Format::Bmp;
    if (ext == ".PNG")
        return Format::Png;
    if (ext == ".WEBP")
        return Format::Webp;
    if (ext == ".AVIF")
        return Format::Avif;
    if (ext == ".HEIC")
        return Format::Heic;
    if (ext == ".HEIF")
        return Format::Heif;
    if (ext == ".JXL")
        return Format::Jxl;
    return Format::Unknown;
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
    case Format::Png: return DecodePngFile(path);
    case Format::Webp: return DecodeWebpFile(path, hint);
    case Format::Avif:
    case Format::Heic:
    case Format::Heif: return DecodeHeifFile(path, hint);
    case Format::Jxl: return DecodeJxlFile(path);
    default: return ImageRead::Failed(ReadFailure::NotValid, "not a format the component reads");
    }
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
    const Format format = FormatOf(UpperExtension(name));
    ImageResult failed{ImageStatus::Failed, FailureText(format)};
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
