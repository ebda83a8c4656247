// SPDX-License-Identifier: GPL-3.0-or-later
#include "wallpaper/image_wall_converter.h"

#include "image/multi_image.h"
#include "image/photo_cd.h"
#include "image/screen_fit.h"
#include "platform/wallpaper_mode.h"

#include <QGuiApplication>
#include <QScreen>

#include <optional>

namespace {

// The size a fitted, filled, stretched or spanned wallpaper is made at: the
// primary screen, or for a spanned one every screen's whole extent, in
// device pixels. Nothing for centred and tiled pictures, which keep their
// own size.
struct ScreenTarget {
    ScreenFit fit;
    int width;
    int height;
};

WallScreens QtScreens()
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen)
        return {};
    const qreal ratio = screen->devicePixelRatio();
    const QRect one = screen->geometry(), all = screen->virtualGeometry();
    return {qRound(one.width() * ratio), qRound(one.height() * ratio), qRound(all.width() * ratio),
            qRound(all.height() * ratio)};
}

std::optional<ScreenTarget> TargetFor(platform::WallpaperMode mode, const WallScreenSource& source)
{
    using platform::WallpaperMode;
    if (mode == WallpaperMode::Centre || mode == WallpaperMode::Tile)
        return std::nullopt;
    const WallScreens screens = source ? source() : QtScreens();
    const bool span = mode == WallpaperMode::Span;
    const int w = span ? screens.spanWidth : screens.width, h = span ? screens.spanHeight : screens.height;
    if (w <= 0 || h <= 0)
        return std::nullopt;
    const ScreenFit fit = mode == WallpaperMode::Fit       ? ScreenFit::Fit
                          : mode == WallpaperMode::Stretch ? ScreenFit::Stretch
                                                           : ScreenFit::Fill;
    return ScreenTarget{fit, w, h};
}

// The clock window's hidden image component PMImage and Photo CD reader Pcd1,
// set as the window's layout sets them.
class ImageWallConverter : public WallConverter {
public:
    ImageWallConverter(const platform::Registry& registry, WallScreenSource screens)
        : registry_(registry), screens_(std::move(screens))
    {
        PMImage.ImageReadRes = lAutoMatic;
        PMImage.ImageWriteRes = sAutoMatic;
        PMImage.ImageDither = true;
        Pcd1.SetPictureSize(pcdMedium);
        Pcd1.SetCutOff(true);
    }

    const DibPicture* WrittenPicture() const override { return written_; }
    WallNotice FailureNotice() const override { return notice_; }
    bool MakesScreenSize() const override
    {
        return TargetFor(platform::WallpaperModeOf(registry_), screens_).has_value();
    }
    void SetBeforeWrite(PictureReady ready) override { beforeWrite_ = std::move(ready); }

    void ReleasePictures() override
    {
        written_ = nullptr;
        PMImage.SetPicture(DibPicture{});
    }

    bool ConvertToBmp(const std::string& file, bool photoCd, bool colorDecSw, const std::string& bmpPath) override
    {
        written_ = nullptr;
        notice_ = {};
        const QScreen* screen = QGuiApplication::primaryScreen();
        PMImage.SetDisplayBitsPerPixel(screen ? screen->depth() : 24);
        // A picture fitted to the screen is decoded no larger than the
        // screen needs and made exactly the screen's size, so the bitmap
        // written, the memory held and the upload are the screen's.
        const std::optional<ScreenTarget> target = TargetFor(platform::WallpaperModeOf(registry_), screens_);
        PMImage.SetScaleHint(target ? ScaleHintFor(target->fit, target->width, target->height) : ScaleHint{});
        if (photoCd) {
            // A file that cannot be opened keeps the reader's previous picture;
            // showing that picture would be wrong, so the attempt ends here.
            if (!Pcd1.SetPictureName(file)) {
                notice_ = {Pcd1.Message(), false};
                return false;
            }
            PMImage.SetPicture(Pcd1.Picture());
        } else {
            // A failed read is told in the component's information box and
            // ends the attempt, instead of showing the previous picture.
            if (!Keep(PMImage.SetImageName(file)))
                return false;
        }
        if (target) {
            DibPicture fitted;
            if (!FitToScreen(PMImage.Picture(), target->fit, target->width, target->height, fitted))
                return false;
            PMImage.SetPicture(std::move(fitted));
        }
        PMImage.DefSaveFilename = bmpPath;
        PMImage.ImageWriteRes = ChooseWallWriteRes(photoCd, colorDecSw, PMImage.ImageBitCount()) ==
                                        WallWriteRes::Color256
                                    ? sColor256
                                    : sAutoMatic;
        // Written at the picture's own depth, the file holds PMImage's picture
        // as it is, and the desktop can take the pixels from here, even while
        // the file is being written.
        const int depth = PMImage.WriteDepth();
        const bool asHeld = depth == 0 || depth == PMImage.Picture().BitCount;
        if (asHeld && beforeWrite_)
            beforeWrite_(PMImage.Picture());
        if (!Keep(PMImage.SaveAsBmp()))
            return false;
        if (asHeld)
            written_ = &PMImage.Picture();
        return true;
    }

private:
    // Keeps what the component has to tell; true when the step succeeded.
    bool Keep(const ImageResult& result)
    {
        if (!result.Message.empty())
            notice_ = {result.Message, true};
        return result.Ok();
    }

    const platform::Registry& registry_;
    WallScreenSource screens_;
    TPMultiImage PMImage;
    TPcd Pcd1;
    const DibPicture* written_ = nullptr;
    WallNotice notice_;
    PictureReady beforeWrite_;
};

}  // namespace

std::unique_ptr<WallConverter> MakeImageWallConverter(const platform::Registry& registry, WallScreenSource screens)
{
    return std::make_unique<ImageWallConverter>(registry, std::move(screens));
}
