// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The wallpaper on Hyprland when its wallpaper daemon hyprpaper runs, through
// `hyprctl hyprpaper`: the copy is preloaded, then shown on every monitor
// ("tile:" tiled, "contain:" centred or fitted, the plain path filling the
// monitor, and on a hyprpaper that knows no prefix), and pictures no monitor shows are unloaded. Without
// hyprpaper (hyprctl missing or its answer not "ok") the change goes to the
// next backend.

#include "platform/desktop.h"
#include "platform/linux/desktop/desktop_wallpaper_copies.h"
#include "platform/registry.h"

#include <string>
#include <vector>

namespace platform {

class HyprpaperDesktop : public Desktop {
public:
    // `program`: the hyprctl to run.
    HyprpaperDesktop(const Registry& registry, std::string copyDir, std::string program = "hyprctl");
    Result SetWallpaper(const std::string& bmpPath) override;
    std::string Name() const override { return "hyprpaper"; }

    static constexpr int kTimeoutMs = 3000;

private:
    bool Ask(const std::vector<std::string>& args) const;
    const Registry& registry_;
    DesktopWallpaperCopies copies_;
    std::string program_;
};

}  // namespace platform
