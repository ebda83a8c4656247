// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The wallpaper on the program's own surfaces in the compositor's background
// layer, one an output: a new picture cross-fades from the one shown (0.75 s,
// at most 30 frames a second), then nothing runs until the next picture.
// Where no surface can be made, the next backend of the chain shows it.

#include "platform/desktop.h"
#include "platform/layer_shell.h"
#include "platform/linux/wayland/cross_fade.h"
#include "platform/registry.h"

#include <QElapsedTimer>
#include <QImage>
#include <QObject>
#include <QTimer>

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace platform {

class DesktopBitmap;

class LayerWallpaperDesktop : public QObject, public Desktop {
public:
    // `beneath` runs once, when the first surfaces are there: a compositor
    // that draws the background client it started above later ones (sway) is
    // asked to start that client anew, beneath the program's.
    // `handOver` runs at an orderly end with the last picture shown, so the
    // compositor's own background can keep it once the program's surfaces
    // are gone.
    LayerWallpaperDesktop(LayerShell& shell, const Registry& registry, std::function<void()> beneath = {},
                          std::function<void(const std::string&)> handOver = {});
    ~LayerWallpaperDesktop() override;

    Result SetWallpaper(const std::string& bmpPath) override;
    Result SetWallpaperFrom(const std::string& bmpPath, const DibPicture& picture) override;
    std::string Name() const override { return "layer-background"; }
    bool ShowsComposed() const override { return true; }

    // How many frames the last fade drew (for the benchmark).
    int FramesOfLastFade() const { return frames_; }

private:
    struct Screen {
        OutputArea area;
        std::unique_ptr<LayerSurface> surface;
        QImage shown;  // the picture on the output, at its device size
        QImage next;   // the picture fading in
    };
    Result Show(const DesktopBitmap& bitmap);
    Result Shown(const std::string& bmpPath, Result result);  // notes the file of a picture shown
    bool MakeSurfaces();
    void Frame();
    void Draw(Screen& screen);

    LayerShell& shell_;
    const Registry& registry_;
    std::vector<Screen> screens_;
    std::function<void()> beneath_;
    std::function<void(const std::string&)> handOver_;
    std::string lastShown_;  // the bitmap file of the picture shown last
    CrossFade fade_;
    double alpha_ = 1.0;
    QTimer frameTimer_;
    QElapsedTimer clock_;
    int frames_ = 0;
    bool closed_ = false;
};

}  // namespace platform
