// SPDX-License-Identifier: GPL-3.0-or-later
#include "wallpaper/dynamic_player.h"

#include "image/fit/screen_fit.h"
#include "image/formats/dynamic/picture_blend.h"
#include "image/image_file.h"

#include <cmath>

DynamicPlayer::Result DynamicPlayer::Make(const std::string& path, const DynamicMoment& moment,
                                          const DynamicTarget& target, DibPicture& out)
{
    reason_.clear();
    // A HEIC file read for its schedule serves its first two pictures too.
    std::vector<uint8_t> heifBytes;
    if (!wallpaper_ || wallpaper_->Path != path) {
        Stop();
        DynamicWallpaperRead read = ReadDynamicWallpaper(path, &heifBytes);
        if (!read.Dynamic) {
            return Result::NotDynamic;
        }
        if (!read.Wallpaper) {
            reason_ = read.Reason;
            return Result::Refused;
        }
        wallpaper_ = std::move(read.Wallpaper);
    }
    if (!(target == keptTarget_)) {
        kept_ = {};
        keptTarget_ = target;
    }
    const PictureBlend blend = BlendAt(wallpaper_->Schedule, moment.unixSeconds, moment.utcOffsetSeconds, moment.place);
    // The pictures no longer needed go first, so at most two are held at once.
    for (Kept& kept : kept_) {
        if (kept.picture != blend.first && kept.picture != blend.second) {
            kept = {};
        }
    }
    const DibPicture* first = Fitted(blend.first, target, heifBytes);
    const DibPicture* second = first && blend.fraction > 0 ? Fitted(blend.second, target, heifBytes) : first;
    if (!first || !second) {
        if (reason_.empty()) {
            reason_ = "its picture cannot be decoded";
        }
        Stop();
        return Result::Refused;
    }
    if (second == first || blend.fraction <= 0) {
        out = *first;
    } else if (!BlendPictures(*first, *second, blend.fraction, out)) {
        reason_ = "no memory to blend its pictures";
        Stop();
        return Result::Refused;
    }
    playing_ = path;
    shown_ = blend;
    shownAt_ = moment.unixSeconds;
    redrawSoon_ = false;
    return Result::Made;
}

const DibPicture* DynamicPlayer::Fitted(int picture, const DynamicTarget& target, std::vector<uint8_t>& heifBytes)
{
    for (const Kept& kept : kept_) {
        if (kept.picture == picture) {
            return &kept.fitted;
        }
    }
    Kept* slot = kept_[0].picture < 0 ? &kept_[0] : &kept_[1];
    // One read of a HEIC file serves both its pictures.
    if (wallpaper_->Heif && heifBytes.empty() && ImageFile(wallpaper_->Path).ReadAll(heifBytes) != FileReadStatus::Ok) {
        reason_ = "the file cannot be read";
        return nullptr;
    }
    // With no fit, the second picture is made the first's size.
    DynamicTarget size = target;
    const Kept& other = slot == &kept_[0] ? kept_[1] : kept_[0];
    if (!size.fit && other.picture >= 0) {
        size = {ScreenFit::Stretch, other.fitted.Width, other.fitted.Height};
    }
    const ScaleHint hint = size.fit ? ScaleHintFor(*size.fit, size.width, size.height) : ScaleHint{};
    ImageRead read = DecodeDynamicPicture(*wallpaper_, picture, hint, heifBytes);
    if (!read.Ok()) {
        reason_ = read.Reason;
        return nullptr;
    }
    if (size.fit && !(read.Picture.Width == size.width && read.Picture.Height == size.height)) {
        DibPicture fitted;
        if (!FitToScreen(read.Picture, *size.fit, size.width, size.height, fitted)) {
            reason_ = "no memory to fit its picture to the screen";
            return nullptr;
        }
        read.Picture = std::move(fitted);
    }
    slot->picture = picture;
    slot->fitted = std::move(read.Picture);
    return &slot->fitted;
}

bool DynamicPlayer::RedrawDue(const DynamicMoment& moment) const
{
    if (playing_.empty() || !wallpaper_) {
        return false;
    }
    if (redrawSoon_ || moment.unixSeconds < shownAt_) {
        return true;
    }
    if (moment.unixSeconds - shownAt_ < kRedrawSeconds) {
        return false;
    }
    const PictureBlend now = BlendAt(wallpaper_->Schedule, moment.unixSeconds, moment.utcOffsetSeconds, moment.place);
    if (now.first != shown_.first || (now.second != shown_.second && now.fraction > 0)) {
        return true;
    }
    return std::fabs(now.fraction - shown_.fraction) >= kRedrawStep;
}

void DynamicPlayer::Stop()
{
    wallpaper_.reset();
    playing_.clear();
    kept_ = {};
    keptTarget_ = {};
    shown_ = {};
    redrawSoon_ = false;
}
