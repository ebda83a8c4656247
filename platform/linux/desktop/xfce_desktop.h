// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The wallpaper of XFCE, through xfconf on the session bus: the "last-image"
// and "image-style" (1 centred, 2 tiled) of every monitor and workspace of
// the "xfce4-desktop" channel, handed a PNG copy (XFCE reads it through
// gdk-pixbuf).

#include "platform/desktop.h"
#include "platform/linux/desktop/desktop_wallpaper_copies.h"
#include "platform/registry.h"

namespace platform {

class XfceDesktop : public Desktop {
public:
    XfceDesktop(const Registry& registry, std::string copyDir);
    Result SetWallpaper(const std::string& bmpPath) override;
    std::string Name() const override { return "xfce"; }
    bool ShowsComposed() const override { return true; }

private:
    const Registry& registry_;
    DesktopWallpaperCopies copies_;
};

}  // namespace platform
