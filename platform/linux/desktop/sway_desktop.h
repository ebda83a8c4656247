// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The wallpaper on sway, through sway itself over its IPC socket
// (`output * bg FILE MODE`, the mode the registry says): it replaces sway's own background, which a separate
// swaybg would stay beneath. sway hands the picture to a swaybg it starts;
// a change counts as shown once that swaybg runs with the new copy. A
// picture composed for every monitor is cut at sway's outputs, and each
// output is given its own part.

#include "platform/desktop.h"
#include "platform/linux/desktop/desktop_wallpaper_copies.h"
#include "platform/linux/sway/sway_ipc.h"
#include "platform/registry.h"
#include "platform/wallpaper_mode.h"

#include <optional>
#include <string>
#include <vector>

namespace platform {

class SwayDesktop : public Desktop {
public:
    SwayDesktop(const Registry& registry, std::string copyDir, std::string socketPath);
    Result SetWallpaper(const std::string& bmpPath) override;
    std::string Name() const override { return "sway"; }
    bool ShowsComposed() const override { return true; }

    // The command for a picture on `output` (every output: "*"), or nothing
    // for a path or name sway's command language cannot carry (public for
    // its test).
    static std::optional<std::string> Command(const std::string& picture, WallpaperMode mode,
                                              const std::string& output = "*");

    // An active output and its place in device pixels (sway's layout
    // rectangle times the output's scale).
    struct Output {
        std::string name;
        int x = 0, y = 0, width = 0, height = 0;
        bool operator==(const Output&) const = default;
    };
    // The active outputs in sway's answer to GET_OUTPUTS (public for its test).
    static std::vector<Output> ParseOutputs(const std::string& json);

    // sway starts its swaybg within moments.
    static constexpr int kSettleMs = 2000;

private:
    // Each output's part of a composed picture: the parts' command, or why not.
    Result SetPerOutput(const std::string& bmpPath);
    // Runs the command and waits for sway's swaybg to show every copy.
    Result Show(const std::optional<std::string>& command, const std::vector<std::string>& copies);

    const Registry& registry_;
    DesktopWallpaperCopies copies_;
    SwayIpc ipc_;
    bool told_ = false;
};

}  // namespace platform
