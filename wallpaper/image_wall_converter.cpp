// SPDX-License-Identifier: GPL-3.0-or-later
#include "wallpaper/image_wall_converter.h"

#include "base/text_helpers.h"
#include "base/translatable.h"
#include "base/zelvaro_error.h"
#include "image/fit/screen_fit.h"
#include "image/formats/dynamic/timed_xml_format.h"
#include "image/formats/heif/heif_format.h"
#include "image/formats/photo_cd/photo_cd_format.h"
#include "image/multi_image.h"
#include "platform/wallpaper_mode.h"
#include "wallpaper/dynamic_player.h"

#include <QGuiApplication>
#include <QLoggingCategory>
#include <QScreen>

#include <algorithm>
#include <filesystem>
#include <optional>

Q_LOGGING_CATEGORY(lcMonitors, "zelvaro.wallpaper.monitors")

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

WallMonitor DevicePixels(const QRect& r, const QPoint& origin, qreal ratio)
{
    return {qRound((r.x() - origin.x()) * ratio), qRound((r.y() - origin.y()) * ratio), qRound(r.width() * ratio),
            qRound(r.height() * ratio)};
}

WallScreens QtScreens()
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen)
        return {};
    const qreal ratio = screen->devicePixelRatio();
    const QRect one = screen->geometry(), all = screen->virtualGeometry();
    WallScreens screens{qRound(one.width() * ratio), qRound(one.height() * ratio), qRound(all.width() * ratio),
                        qRound(all.height() * ratio)};
    screens.monitors.push_back(DevicePixels(one, all.topLeft(), ratio));
    // Mirrored monitors show the same place: one picture for them.
    for (const QScreen* other : screen->virtualSiblings()) {
        const WallMonitor m = DevicePixels(other->geometry(), all.topLeft(), ratio);
        if (std::find(screens.monitors.begin(), screens.monitors.end(), m) == screens.monitors.end())
            screens.monitors.push_back(m);
    }
    return screens;
}

// How a mode fits a picture to a screen; nothing for centre and tile.
std::optional<ScreenFit> FitOf(platform::WallpaperMode mode)
{
    using platform::WallpaperMode;
    if (mode == WallpaperMode::Centre || mode == WallpaperMode::Tile)
        return std::nullopt;
    return mode == WallpaperMode::Fit       ? ScreenFit::Fit
           : mode == WallpaperMode::Stretch ? ScreenFit::Stretch
                                            : ScreenFit::Fill;
}

std::optional<ScreenTarget> TargetFor(platform::WallpaperMode mode, const WallScreens& screens)
{
    const std::optional<ScreenFit> fit = FitOf(mode);
    if (!fit)
        return std::nullopt;
    const bool span = mode == platform::WallpaperMode::Span;
    const int w = span ? screens.spanWidth : screens.width, h = span ? screens.spanHeight : screens.height;
    if (w <= 0 || h <= 0)
        return std::nullopt;
    return ScreenTarget{*fit, w, h};
}

// The clock window's hidden image component PMImage, set as the window's
// layout sets it; it reads Photo CD files too, their border trimmed as the
// Photo CD reader Pcd1 was set to.
class ImageWallConverter : public WallConverter {
public:
    ImageWallConverter(const platform::Registry& registry, WallScreenSource screens)
        : registry_(registry), screens_(std::move(screens))
    {
        PMImage.ImageReadRes = lAutoMatic;
        PMImage.ImageWriteRes = sAutoMatic;
        PMImage.ImageDither = true;
        PMImage.PhotoCdCutOff = true;
    }

    const DibPicture* WrittenPicture() const override { return written_; }
    std::size_t MonitorCount() const override
    {
        return std::max<std::size_t>(1, MonitorsShown(Screens(), nullptr).size());
    }
    WallNotice FailureNotice() const override { return notice_; }
    bool MakesScreenSize() const override
    {
        const platform::WallpaperMode mode = platform::WallpaperModeOf(registry_);
        return FitOf(mode) && TargetFor(mode, Screens()).has_value();
    }
    void SetBeforeWrite(PictureReady ready) override { beforeWrite_ = std::move(ready); }

    void ReleasePictures() override
    {
        written_ = nullptr;
        PMImage.SetPicture(DibPicture{});
    }

    bool ConvertToBmp(const ImageFile& file, const ImageFormat* format, bool colorDecSw,
                      const std::string& bmpPath) override
    {
        written_ = nullptr;
        notice_ = {};
        const QScreen* screen = QGuiApplication::primaryScreen();
        PMImage.SetDisplayBitsPerPixel(screen ? screen->depth() : 24);
        // A picture fitted to the screen is decoded no larger than the
        // screen needs and made exactly the screen's size, so the bitmap
        // written, the memory held and the upload are the screen's.
        const platform::WallpaperMode mode = platform::WallpaperModeOf(registry_);
        const std::optional<ScreenTarget> target = FitOf(mode) ? TargetFor(mode, Screens()) : std::nullopt;
        PMImage.SetScaleHint(target ? ScaleHintFor(target->fit, target->width, target->height) : ScaleHint{});
        const DynamicTarget dynamicSize = target ? DynamicTarget{target->fit, target->width, target->height}
                                                 : DynamicTarget{};
        if (PlayDynamic(file, format, dynamicSize))
            return Write(bmpPath, ChooseWallWriteRes(false, colorDecSw, 24));
        if (!Keep(PMImage.ReadImage(file, format)))
            return false;
        // A reader may have made it the screen's size already (a JPEG
        // photo reduced as it was decoded); such a picture is its own fit.
        const DibPicture& read = PMImage.Picture();
        if (target && !(read.BitCount == 24 && read.Width == target->width && read.Height == target->height)) {
            DibPicture fitted;
            if (!FitToScreen(PMImage.Picture(), target->fit, target->width, target->height, fitted))
                return false;
            PMImage.SetPicture(std::move(fitted));
        }
        const bool photoCd = PMImage.ReadFormat() == &kPhotoCdFormat;
        // Another picture is shown from now on; until it is, a dynamic one keeps playing.
        const bool written = Write(bmpPath, ChooseWallWriteRes(photoCd, colorDecSw, PMImage.ImageBitCount()));
        if (written)
            player_.Stop();
        return written;
    }

    bool ConvertPerMonitor(const std::vector<std::string>& files, bool colorDecSw, const std::string& bmpPath,
                           std::size_t& failed) override
    {
        // Each monitor's picture is read through the component: a dynamic one shows its picture for now, unkept.
        player_.Stop();
        written_ = nullptr;
        notice_ = {};
        failed = 0;
        const QScreen* screen = QGuiApplication::primaryScreen();
        PMImage.SetDisplayBitsPerPixel(screen ? screen->depth() : 24);
        const WallScreens screens = Screens();
        std::vector<WallMonitor> ignored;
        const std::vector<WallMonitor> monitors = MonitorsShown(screens, &ignored);
        // Said once while the same monitors lie outside the screen.
        if (!ignored.empty() && ignored != ignoredBefore_)
            qCWarning(lcMonitors, "%zu monitor(s) outside the %dx%d screen left without a picture", ignored.size(),
                      ScreenSize(screens).width, ScreenSize(screens).height);
        ignoredBefore_ = ignored;
        DibPicture canvas;
        if (files.empty() || monitors.empty() ||
            !StartComposition(ScreenSize(screens).width, ScreenSize(screens).height, canvas))
            return false;
        const platform::WallpaperMode mode = platform::WallpaperModeOf(registry_);
        const std::optional<ScreenFit> fit = FitOf(mode);
        for (std::size_t i = 0; i < monitors.size(); ++i) {
            // Fewer files than monitors (the monitors changed meanwhile): the
            // files come round again.
            failed = i % files.size();
            const std::string& file = files[failed];
            const WallMonitor& monitor = monitors[i];
            PMImage.SetScaleHint(fit ? ScaleHintFor(*fit, monitor.width, monitor.height) : ScaleHint{});
            if (!Keep(PMImage.SetImageName(file)))
                return false;
            // A picture the fit finds no memory for ends the attempt too.
            if (!LayOnMonitor(PMImage.Picture(), monitor, mode, canvas))
                return false;
            PMImage.SetPicture(DibPicture{});
        }
        failed = files.size();
        PMImage.SetPicture(std::move(canvas));
        return Write(bmpPath, ChooseWallWriteRes(false, colorDecSw, 24));
    }

    std::string DynamicPlaying() const override { return player_.PlayingPath(); }
    bool DynamicRedrawDue(const DynamicMoment& moment) const override { return player_.RedrawDue(moment); }
    void DynamicRedrawSoon() override { player_.RedrawSoon(); }
    void DynamicStop() override { player_.Stop(); }

private:
    WallScreens Screens() const { return screens_ ? screens_() : QtScreens(); }

    // A dynamic wallpaper's picture for now into PMImage, made at the
    // screen's size from the pair the player keeps. False for any other file,
    // and for a dynamic one the player refuses: the component then reads it
    // and tells its format's message.
    bool PlayDynamic(const ImageFile& file, const ImageFormat* format, const DynamicTarget& size)
    {
        const ImageFormat* kind = format ? format : ReaderFormatOf(file);
        if (kind != &kHeifFormat && kind != &kTimedXmlFormat)
            return false;
        DibPicture picture;
        if (player_.Make(file.Path(), CurrentDynamicMoment(), size, picture) != DynamicPlayer::Result::Made)
            return false;
        PMImage.SetPicture(std::move(picture));
        return true;
    }

    // The screen a composed picture is made at: the whole screen, or where
    // its size is not known the monitors' extent.
    static WallMonitor ScreenSize(const WallScreens& screens)
    {
        if (screens.spanWidth > 0 && screens.spanHeight > 0)
            return {0, 0, screens.spanWidth, screens.spanHeight};
        return MonitorsExtent(screens.monitors);
    }
    static std::vector<WallMonitor> MonitorsShown(const WallScreens& screens, std::vector<WallMonitor>* ignored)
    {
        const WallMonitor screen = ScreenSize(screens);
        return MonitorsOnScreen(screens.monitors, screen.width, screen.height, ignored);
    }

    // Writes PMImage's picture at the depth asked for.
    bool Write(const std::string& bmpPath, WallWriteRes res)
    {
        PMImage.DefSaveFilename = bmpPath;
        PMImage.ImageWriteRes = res == WallWriteRes::Color256 ? sColor256 : sAutoMatic;
        // Written at the picture's own depth, the file holds PMImage's picture
        // as it is, and the desktop can take the pixels from here, even while
        // the file is being written.
        const int depth = PMImage.WriteDepth();
        const bool asHeld = depth == 0 || depth == PMImage.Picture().BitCount;
        if (asHeld && beforeWrite_)
            beforeWrite_(PMImage.Picture());
        if (!PMImage.SaveAsBmp().Ok()) {
            // The component's own words name neither the place nor a way out;
            // a full disk or a folder that cannot be written is the usual cause.
            const std::string folder = std::filesystem::path(bmpPath).parent_path().string();
            notice_ = {QT_TRANSLATE_NOOP("Messages",
                                         "壁紙の画像をフォルダー %s に書き込めません。\n"
                                         "ディスクの空きを増やすか、このフォルダーに書き込めるようにしてください。"),
                       true, ShownEscaped(folder)};
            return false;
        }
        if (asHeld)
            written_ = &PMImage.Picture();
        return true;
    }

    // Keeps what the component has to tell; true when the step succeeded. A
    // failed read ends the attempt, its failure told in the component's box;
    // a reader's failure the component has no box for (a Photo CD file cut
    // short) is raised, so the attempt ends logged but not told.
    bool Keep(const ImageResult& result)
    {
        if (!result.Message.empty())
            notice_ = {result.Message, true};
        else if (!result.Ok() && !result.Reason.empty())
            throw ZelvaroError(result.Reason);
        return result.Ok();
    }

    const platform::Registry& registry_;
    WallScreenSource screens_;
    TPMultiImage PMImage;
    const DibPicture* written_ = nullptr;
    WallNotice notice_;
    std::vector<WallMonitor> ignoredBefore_;  // the monitors outside the screen the log has named
    PictureReady beforeWrite_;
    DynamicPlayer player_;
};

}  // namespace

std::unique_ptr<WallConverter> MakeImageWallConverter(const platform::Registry& registry, WallScreenSource screens)
{
    return std::make_unique<ImageWallConverter>(registry, std::move(screens));
}
