// SPDX-License-Identifier: GPL-3.0-or-later
#include "image/formats/dynamic/dynamic_wallpaper.h"

#include "base/sun/schedule_blend.h"
#include "image/colour/colour_management.h"
#include "image/fit/screen_fit.h"
#include "image/formats/dynamic/dynamic_heif.h"
#include "image/formats/dynamic/dynamic_limits.h"
#include "image/formats/dynamic/picture_blend.h"
#include "image/formats/dynamic/timed_xml.h"
#include "image/formats/heif/heif_decoder.h"
#include "image/formats/heif/heif_format.h"
#include "image/image_file.h"
#include "image/image_format.h"
#include "image/multi_image.h"
#include "image/palette/colour_reduction.h"

#include <algorithm>
#include <cctype>
#include <filesystem>

namespace {

// A picture made 24 bits deep and no larger than the hint asks.
ImageRead Finished(ImageRead read, const ScaleHint& hint)
{
    if (!read.Ok()) {
        return read;
    }
    DibPicture& picture = read.Picture;
    if (picture.BitCount != 24) {
        DibPicture deep;
        if (!ConvertToDepth(picture, 24, false, deep)) {
            return ImageRead::Failed(ReadFailure::NotValid, "no memory for the picture");
        }
        picture = std::move(deep);
    }
    if (const auto r = ReductionFor(picture.Width, picture.Height, hint, true)) {
        DibPicture reduced;
        if (FitToScreen(picture, r->Fit, r->Width, r->Height, reduced)) {
            picture = std::move(reduced);
        }
    }
    ConvertToSrgb(picture, read.Colour);
    read.Colour = {};
    return read;
}

}  // namespace

bool IsTimedXmlName(std::string_view name)
{
    return name.size() >= 4 &&
           std::equal(name.end() - 4, name.end(), ".xml", [](unsigned char a, char b) { return std::tolower(a) == b; });
}

DynamicWallpaperRead ReadDynamicWallpaper(const ImageFile& file, std::vector<uint8_t>* heifBytes)
{
    DynamicWallpaperRead out;
    const bool heif = SniffImageFormat(file) == &kHeifFormat;
    if (!file.Ok() || (!heif && !IsTimedXmlName(file.Path()))) {
        return out;
    }
    std::vector<uint8_t> bytes;
    const uintmax_t limit = heif ? uintmax_t{1} << 31 : static_cast<uintmax_t>(dynamic_limits::kMaxScheduleTextBytes);
    if (file.ReadAll(bytes, limit) != FileReadStatus::Ok) {
        return out;
    }
    const std::string& path = file.Path();
    ScheduleRead read;
    DynamicWallpaper wallpaper;
    wallpaper.Path = path;
    wallpaper.Heif = heif;
    if (heif) {
        DynamicHeifRead found = ReadDynamicHeif(bytes);
        if (!found.Dynamic) {
            return out;
        }
        read = std::move(found.Read);
    } else {
        TimedXmlRead found = ReadTimedXml(bytes, std::filesystem::path(path).parent_path().string());
        if (!found.Background) {
            return out;
        }
        read = std::move(found.Read);
        wallpaper.PictureFiles = std::move(found.Pictures);
    }
    out.Dynamic = true;
    if (!read.Schedule) {
        out.Reason = read.Reason;
        return out;
    }
    wallpaper.Schedule = std::move(*read.Schedule);
    out.Wallpaper = std::move(wallpaper);
    if (heif && heifBytes)
        *heifBytes = std::move(bytes);
    return out;
}

ImageRead DecodeDynamicPicture(const DynamicWallpaper& wallpaper, int picture, const ScaleHint& hint,
                               std::span<const uint8_t> heifBytes)
{
    if (picture < 0 || picture >= wallpaper.Schedule.pictureCount) {
        return ImageRead::Failed(ReadFailure::NotValid, "no such picture in the wallpaper");
    }
    if (wallpaper.Heif) {
        if (!heifBytes.empty()) {
            return Finished(DecodeHeifPicture(heifBytes, picture, hint), hint);
        }
        std::vector<uint8_t> bytes;
        switch (ImageFile(wallpaper.Path).ReadAll(bytes)) {
        case FileReadStatus::Ok: return Finished(DecodeHeifPicture(bytes, picture, hint), hint);
        case FileReadStatus::Missing: return ImageRead::Failed(ReadFailure::Missing, "no such file");
        default: return ImageRead::Failed(ReadFailure::Unreadable, "cannot read the file");
        }
    }
    if (static_cast<size_t>(picture) >= wallpaper.PictureFiles.size()) {
        return ImageRead::Failed(ReadFailure::NotValid, "no such picture in the wallpaper");
    }
    // A timed background's pictures are ordinary picture files, read as the image component reads them.
    TPMultiImage image;
    image.ImageReadRes = lColorTrue;
    image.SetScaleHint(hint);
    const std::string& file = wallpaper.PictureFiles[static_cast<size_t>(picture)];
    const ImageResult result = image.SetImageName(file);
    if (!result.Ok()) {
        return ImageRead::Failed(result.Status == ImageStatus::Missing ? ReadFailure::Missing : ReadFailure::NotValid,
                                 "its picture " + file + " cannot be read");
    }
    ImageRead read;
    read.Picture = image.Picture();
    read.FileBitCount = image.ImageBitCount();
    read.Failure = ReadFailure::None;
    return Finished(std::move(read), {});
}

ImageRead DynamicPictureAt(const DynamicWallpaper& wallpaper, const DynamicMoment& moment, const ScaleHint& hint,
                           std::span<const uint8_t> heifBytes)
{
    const PictureBlend blend = BlendAt(wallpaper.Schedule, moment.unixSeconds, moment.utcOffsetSeconds, moment.place);
    ImageRead first = DecodeDynamicPicture(wallpaper, blend.first, hint, heifBytes);
    if (!first.Ok() || blend.fraction <= 0 || blend.second == blend.first) {
        return first;
    }
    ImageRead second = DecodeDynamicPicture(wallpaper, blend.second, hint, heifBytes);
    if (!second.Ok()) {
        return second;
    }
    DibPicture& a = first.Picture;
    DibPicture& b = second.Picture;
    if (a.Width != b.Width || a.Height != b.Height) {
        DibPicture sized;
        if (!FitToScreen(b, ScreenFit::Stretch, a.Width, a.Height, sized)) {
            return ImageRead::Failed(ReadFailure::NotValid, "no memory for its pictures");
        }
        b = std::move(sized);
    }
    DibPicture blended;
    if (!BlendPictures(a, b, blend.fraction, blended)) {
        return ImageRead::Failed(ReadFailure::NotValid, "no memory for its pictures");
    }
    first.Picture = std::move(blended);
    return first;
}

std::optional<ImageRead> DecodeIfDynamicHeif(std::span<const uint8_t> bytes, const ScaleHint& hint)
{
    DynamicHeifRead read = ReadDynamicHeif(bytes);
    if (!read.Dynamic) {
        return std::nullopt;
    }
    if (!read.Read.Schedule) {
        return ImageRead::Failed(ReadFailure::NotValid, "dynamic HEIC: " + read.Read.Reason);
    }
    DynamicWallpaper wallpaper;
    wallpaper.Heif = true;
    wallpaper.Schedule = std::move(*read.Read.Schedule);
    return DynamicPictureAt(wallpaper, CurrentDynamicMoment(), hint, bytes);
}
