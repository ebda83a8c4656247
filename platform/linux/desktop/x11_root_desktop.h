// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The wallpaper as the X11 root window's background, the way every root
// setter does it: works on any X11 desktop and under Xvfb.

#include "platform/desktop.h"
#include "platform/registry.h"

namespace platform {

class X11RootDesktop : public Desktop {
public:
    explicit X11RootDesktop(const Registry& registry);
    Result SetWallpaper(const std::string& bmpPath) override;
    Result SetWallpaperFrom(const std::string& bmpPath, const DibPicture& picture) override;
    // Uploads the picture on a thread of its own into a new pixmap; Show
    // makes it the root window's background.
    std::unique_ptr<Prepared> PrepareFrom(const DibPicture& picture) override;
    std::string Name() const override { return "x11-root"; }
    bool ShowsComposed() const override { return true; }

private:
    // Reads the file unless `picture` is given.
    Result Set(const std::string& bmpPath, const DibPicture* picture);
    bool FromTheCorner() const;
    const Registry& registry_;
};

}  // namespace platform
