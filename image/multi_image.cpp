// SPDX-License-Identifier: GPL-3.0-or-later
#include "image/multi_image.h"

#include "image/colour/colour_management.h"
#include "image/fit/screen_fit.h"
#include "image/formats/bmp/bmp_writer.h"
#include "image/image_format.h"
#include "image/palette/colour_reduction.h"

namespace {

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
    return ReadImage(ImageFile(name));
}

ImageResult TPMultiImage::ReadImage(const ImageFile& file, const ImageFormat* format)
{
    // The bytes choose the reader; the name, the message: a JPEG saved as
    // ".png" is read as a JPEG, and a damaged ".png" is told as a PNG. Bytes
    // that show no format go to the name's reader, which refuses them.
    const FileExtension* spelling = nullptr;
    const ImageFormat* named = FormatOfName(file.Path(), &spelling);
    if (!format)
        format = ReaderFormatOf(file);
    ImageResult failed{ImageStatus::Failed, {}};
    for (const char* text : {spelling ? spelling->FailureText : nullptr, named ? named->FailureText : nullptr,
                             format ? format->FailureText : nullptr})
        if (failed.Message.empty() && text)
            failed.Message = text;
    readFormat_ = nullptr;
    picture_.Clear();  // the old picture goes before the new one is made
    if (file.Status() == FileReadStatus::Missing)
        return {ImageStatus::Missing, {}};
    if (!file.Ok() || !format)
        return failed;
    ImageRead decoded = format->Decode(file, {format->TakesScaleHint ? scaleHint_ : ScaleHint{}, PhotoCdCutOff});
    if (!decoded.Ok()) {
        failed.Reason = decoded.Reason;
        return failed;
    }
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
    readFormat_ = format;
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
