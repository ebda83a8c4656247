// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/linux/desktop/hyprpaper_desktop.h"

#include "platform/linux/shared/desktop_log.h"
#include "platform/wallpaper_mode.h"

#include <QProcess>

namespace platform {

HyprpaperDesktop::HyprpaperDesktop(const Registry& registry, std::string copyDir, std::string program)
    : registry_(registry), copies_(std::move(copyDir), DesktopWallpaperCopies::Format::Png),
      program_(std::move(program))
{}

bool HyprpaperDesktop::Ask(const std::vector<std::string>& args) const
{
    QStringList list;
    for (const std::string& a : args)
        list << QString::fromStdString(a);
    QProcess hyprctl;
    hyprctl.start(QString::fromStdString(program_), list);
    if (!hyprctl.waitForFinished(kTimeoutMs)) {
        hyprctl.kill();
        hyprctl.waitForFinished(kTimeoutMs);
        return false;
    }
    return hyprctl.exitStatus() == QProcess::NormalExit && hyprctl.exitCode() == 0 &&
           hyprctl.readAllStandardOutput().trimmed() == "ok";
}

Desktop::Result HyprpaperDesktop::SetWallpaper(const std::string& bmpPath)
{
    Result failure = Result::Done;
    const std::optional<std::string> copy = copies_.MakeChecked(bmpPath, failure);
    if (!copy)
        return failure;
    if (!Ask({"hyprpaper", "preload", *copy})) {
        copies_.Discard(*copy);
        return Result::NotRunning;
    }
    // hyprpaper covers the monitor unless told to tile or to show the whole picture.
    const WallpaperMode wanted = WallpaperModeOf(registry_);
    const std::string mode = wanted == WallpaperMode::Tile                                     ? "tile:"
                             : wanted == WallpaperMode::Centre || wanted == WallpaperMode::Fit ? "contain:"
                                                                                               : "";
    if (!Ask({"hyprpaper", "wallpaper", "," + mode + *copy}) &&
        (mode.empty() || !Ask({"hyprpaper", "wallpaper", "," + *copy}))) {
        qCWarning(lcDesktop) << "wallpaper: hyprpaper took the picture but did not show it";
        copies_.Discard(*copy);
        return Result::Unavailable;
    }
    Ask({"hyprpaper", "unload", "unused"});
    copies_.Shown(*copy);
    return Result::Done;
}

}  // namespace platform
