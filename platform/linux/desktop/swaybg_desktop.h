// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The wallpaper of wlroots Wayland compositors (sway, Hyprland, river, ...)
// through their background client `swaybg`, run as a program: each change
// starts one with a PNG copy (tiled or centred as the registry says), and the
// one started before ends once the new one runs. The last one keeps showing
// the picture after the program ends; its pid and copy are kept in a file in
// XDG_RUNTIME_DIR, so a restarted program ends it in turn and one swaybg of
// the program lives per session.

#include "platform/desktop.h"
#include "platform/linux/desktop/desktop_wallpaper_copies.h"
#include "platform/registry.h"
#include "platform/wallpaper_mode.h"

#include <sys/types.h>

#include <string>
#include <vector>

namespace platform {

class SwaybgDesktop : public Desktop {
public:
    // `program`: the swaybg found on PATH (FindSwaybg()); `pidFile`: where
    // the running one is noted (empty: one in XDG_RUNTIME_DIR per display).
    SwaybgDesktop(const Registry& registry, std::string copyDir, std::string program, std::string pidFile = {});
    Result SetWallpaper(const std::string& bmpPath) override;
    std::string Name() const override { return "swaybg"; }

    // The swaybg on PATH, or empty when it is not installed.
    static std::string FindSwaybg();
    // Its arguments for a picture (public for its test).
    static std::vector<std::string> Arguments(const std::string& picture, WallpaperMode mode);

    // A started swaybg that ends within this time failed (no layer shell,
    // a picture it cannot read): the one before it stays.
    static constexpr int kSettleMs = 300;

private:
    void WritePidFile() const;

    const Registry& registry_;
    DesktopWallpaperCopies copies_;
    std::string program_;
    std::string pidFile_;
    pid_t shown_ = 0;        // the swaybg this program started last
    std::string shownCopy_;  // the copy it shows
    bool told_ = false;      // the log has said why it failed
};

}  // namespace platform
