// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The wallpaper of KDE Plasma, through plasmashell's scripting call on the
// session bus: every desktop gets the picture with FillMode 3 (tiled) or 6
// (centred).

#include "platform/desktop.h"
#include "platform/linux/desktop/desktop_wallpaper_copies.h"
#include "platform/registry.h"
#include "platform/wallpaper_mode.h"

namespace platform {

class KdeDesktop : public Desktop {
public:
    KdeDesktop(const Registry& registry, std::string copyDir);
    Result SetWallpaper(const std::string& bmpPath) override;
    std::string Name() const override { return "kde"; }

    // The script handed to plasmashell (public for its test).
    static std::string Script(const std::string& fileUrl, WallpaperMode mode);

private:
    const Registry& registry_;
    DesktopWallpaperCopies copies_;
};

}  // namespace platform
