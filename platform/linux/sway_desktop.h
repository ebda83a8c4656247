// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The wallpaper on sway, through sway itself over its IPC socket
// (`output * bg FILE MODE`, the mode the registry says): it replaces sway's own background, which a separate
// swaybg would stay beneath. sway hands the picture to a swaybg it starts;
// a change counts as shown once that swaybg runs with the new copy.

#include "platform/desktop.h"
#include "platform/linux/desktop_wallpaper_copies.h"
#include "platform/linux/sway_ipc.h"
#include "platform/registry.h"
#include "platform/wallpaper_mode.h"

#include <optional>
#include <string>

namespace platform {

class SwayDesktop : public Desktop {
public:
    SwayDesktop(const Registry& registry, std::string copyDir, std::string socketPath);
    Result SetWallpaper(const std::string& bmpPath) override;
    std::string Name() const override { return "sway"; }

    // The command for a picture, or nothing for a path sway's command
    // language cannot carry (public for its test).
    static std::optional<std::string> Command(const std::string& picture, WallpaperMode mode);

    // sway starts its swaybg within moments.
    static constexpr int kSettleMs = 2000;

private:
    const Registry& registry_;
    DesktopWallpaperCopies copies_;
    SwayIpc ipc_;
    bool told_ = false;
};

}  // namespace platform
