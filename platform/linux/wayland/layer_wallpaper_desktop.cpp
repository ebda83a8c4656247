// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/linux/wayland/layer_wallpaper_desktop.h"

#include "platform/linux/desktop/desktop_bitmap.h"
#include "platform/linux/shared/desktop_log.h"
#include "platform/wallpaper_mode.h"

#include <QPainter>

#include <algorithm>
#include <climits>

namespace platform {
namespace {

QImage ImageOf(const DesktopBitmap& bitmap)
{
    QImage image(bitmap.Width(), bitmap.Height(), QImage::Format_RGB32);
    if (image.isNull())
        return image;
    for (int y = 0; y < bitmap.Height(); ++y)
        bitmap.Row(y, reinterpret_cast<std::uint32_t*>(image.scanLine(y)));
    return image;
}

// The picture as `mode` lays it on an output of `size` device pixels;
// `part` is the output's part of a picture composed for every output.
QImage Laid(const QImage& picture, QSize size, WallpaperMode mode, const QRect* part, int scale)
{
    QImage out(size, QImage::Format_ARGB32_Premultiplied);
    if (out.isNull())
        return out;
    out.fill(Qt::black);
    QPainter p(&out);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    const QRect whole(QPoint(0, 0), size);
    if (part) {
        p.drawImage(whole, picture, *part);
        return out;
    }
    const QSize shown = picture.size() * scale;  // one picture pixel a logical pixel
    switch (mode) {
    case WallpaperMode::Tile:
        p.scale(scale, scale);
        p.drawTiledPixmap(QRect(QPoint(0, 0), size / scale), QPixmap::fromImage(picture));
        break;
    case WallpaperMode::Fit:
    case WallpaperMode::Fill: {
        const QSize fitted = picture.size().scaled(size, mode == WallpaperMode::Fit ? Qt::KeepAspectRatio
                                                                                    : Qt::KeepAspectRatioByExpanding);
        p.drawImage(QRect(QPoint((size.width() - fitted.width()) / 2, (size.height() - fitted.height()) / 2), fitted),
                    picture);
        break;
    }
    case WallpaperMode::Stretch:
    case WallpaperMode::Span: p.drawImage(whole, picture); break;
    case WallpaperMode::Centre:
        p.drawImage(QRect(QPoint((size.width() - shown.width()) / 2, (size.height() - shown.height()) / 2), shown),
                    picture);
        break;
    }
    return out;
}

}  // namespace

LayerWallpaperDesktop::LayerWallpaperDesktop(LayerShell& shell, const Registry& registry, std::function<void()> beneath,
                                             std::function<void(const std::string&)> handOver)
    : shell_(shell), registry_(registry), beneath_(std::move(beneath)), handOver_(std::move(handOver))
{
    frameTimer_.setTimerType(Qt::PreciseTimer);
    frameTimer_.setInterval(CrossFade::kFrameMs);
    connect(&frameTimer_, &QTimer::timeout, this, &LayerWallpaperDesktop::Frame);
    clock_.start();
}

LayerWallpaperDesktop::~LayerWallpaperDesktop()
{
    if (handOver_ && !lastShown_.empty())
        handOver_(lastShown_);
}

Desktop::Result LayerWallpaperDesktop::SetWallpaper(const std::string& bmpPath)
{
    DesktopBitmap bitmap;
    if (!bitmap.Load(bmpPath))
        return Result::Unreadable;
    return Shown(bmpPath, Show(bitmap));
}

Desktop::Result LayerWallpaperDesktop::SetWallpaperFrom(const std::string& bmpPath, const DibPicture& picture)
{
    DesktopBitmap bitmap;
    bitmap.Use(picture);
    return Shown(bmpPath, Show(bitmap));
}

Desktop::Result LayerWallpaperDesktop::Shown(const std::string& bmpPath, Result result)
{
    if (result == Result::Done)
        lastShown_ = bmpPath;
    return result;
}

bool LayerWallpaperDesktop::MakeSurfaces()
{
    const std::vector<OutputArea> outputs = shell_.Outputs();
    const bool same = outputs.size() == screens_.size() &&
                      std::equal(outputs.begin(), outputs.end(), screens_.begin(),
                                 [](const OutputArea& a, const Screen& s) {
                                     return a.x == s.area.x && a.y == s.area.y && a.width == s.area.width &&
                                            a.height == s.area.height && a.scale == s.area.scale && s.surface;
                                 });
    if (same && !closed_)
        return !screens_.empty();
    screens_.clear();
    closed_ = false;
    for (std::size_t i = 0; i < outputs.size(); ++i) {
        LayerSurfaceSpec spec;
        spec.output = int(i);
        spec.layer = ShellLayer::Background;
        spec.name = "zelvaro-wallpaper";
        Screen screen;
        screen.area = outputs[i];
        screen.surface = shell_.MakeSurface(spec);
        if (!screen.surface) {
            screens_.clear();
            return false;
        }
        screens_.push_back(std::move(screen));
    }
    for (Screen& screen : screens_) {
        // A surface the compositor took away: made anew with the next picture.
        screen.surface->OnClosed([this] { closed_ = true; });
        screen.surface->OnRedraw([this, s = screen.surface.get()] {
            for (Screen& known : screens_)
                if (known.surface.get() == s)
                    Draw(known);
            // Configured, so the compositor knows the surface.
            if (beneath_) {
                beneath_();
                beneath_ = nullptr;
            }
        });
    }
    return !screens_.empty();
}

Desktop::Result LayerWallpaperDesktop::Show(const DesktopBitmap& bitmap)
{
    if (!MakeSurfaces()) {
        qCInfo(lcDesktop, "wallpaper: no background surface could be made");
        return Result::NotRunning;
    }
    const QImage picture = ImageOf(bitmap);
    if (picture.isNull())
        return Result::Unreadable;
    const WallpaperMode mode = ShownMode(registry_);
    // A composed picture starts at the outputs' top-left corner.
    int left = INT_MAX, top = INT_MAX;
    for (const Screen& s : screens_)
        left = std::min(left, s.area.x), top = std::min(top, s.area.y);
    bool fades = false;
    for (Screen& s : screens_) {
        // A fade still running ends where it is: its picture is the old one now.
        if (!s.next.isNull())
            s.shown = s.next;
        const QRect part(s.area.x - left, s.area.y - top, s.area.width, s.area.height);
        const QSize size(s.area.width * s.area.scale, s.area.height * s.area.scale);
        s.next = Laid(picture, size, mode, CurrentLayout() == Layout::Composed ? &part : nullptr, s.area.scale);
        if (s.next.isNull())
            return Result::Unavailable;
        fades = fades || (!s.shown.isNull() && s.shown.size() == s.next.size());
    }
    frames_ = 0;
    if (fades) {
        alpha_ = 0.0;
        fade_.Start(clock_.elapsed());
        frameTimer_.start();
    } else {
        Frame();
    }
    return Result::Done;
}

void LayerWallpaperDesktop::Frame()
{
    alpha_ = fade_.FrameAt(clock_.elapsed());
    ++frames_;
    for (Screen& s : screens_)
        Draw(s);
    if (alpha_ >= 1.0) {
        // The fade is over: the new picture is the one shown, nothing more is timed.
        frameTimer_.stop();
        for (Screen& s : screens_) {
            if (!s.next.isNull())
                s.shown = std::move(s.next);
            s.next = QImage();
        }
    }
}

void LayerWallpaperDesktop::Draw(Screen& screen)
{
    PixelFrame frame;
    if (!screen.surface->BeginFrame(frame))
        return;  // drawn when the surface asks
    QImage target(frame.pixels, frame.width, frame.height, frame.stride, QImage::Format_ARGB32_Premultiplied);
    QPainter p(&target);
    p.setCompositionMode(QPainter::CompositionMode_Source);
    const QRect whole = target.rect();
    const QImage& old = screen.shown;
    const QImage& next = screen.next;
    const bool fading = !next.isNull() && alpha_ < 1.0;
    if (!old.isNull())
        p.drawImage(whole, old);
    else
        p.fillRect(whole, Qt::black);
    if (!next.isNull()) {
        p.setCompositionMode(QPainter::CompositionMode_SourceOver);
        p.setOpacity(fading && !old.isNull() ? alpha_ : 1.0);
        p.drawImage(whole, next);
    }
    p.end();
    screen.surface->EndFrame();
}

}  // namespace platform
