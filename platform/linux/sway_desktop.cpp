// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/linux/sway_desktop.h"

#include "platform/linux/desktop_log.h"
#include "platform/linux/process_scan.h"

#include <QThread>

namespace platform {

SwayDesktop::SwayDesktop(const Registry& registry, std::string copyDir, std::string socketPath)
    : registry_(registry), copies_(std::move(copyDir), DesktopWallpaperCopies::Format::Png), ipc_(std::move(socketPath))
{}

std::optional<std::string> SwayDesktop::Command(const std::string& picture, WallpaperMode mode)
{
    // The path goes in double quotes; one that holds a quote, a backslash or
    // a line break cannot be said safely.
    if (picture.find_first_of("\"\\\n\r") != std::string::npos)
        return std::nullopt;
    return "output * bg \"" + picture + "\" " + DesktopNamesFor(mode).sway;
}

Desktop::Result SwayDesktop::SetWallpaper(const std::string& bmpPath)
{
    Result failure = Result::Done;
    const std::optional<std::string> copy = copies_.MakeChecked(bmpPath, failure);
    if (!copy)
        return failure;
    const std::optional<std::string> command = Command(*copy, WallpaperModeOf(registry_));
    const char* why = nullptr;
    if (!command)
        why = "its path cannot be handed to sway";
    else if (!ipc_.Run(*command))
        why = "sway refused the background or did not answer";
    bool seen = false;
    for (int waited = 0; !why && waited < kSettleMs && !seen; waited += 50) {
        seen = !ProcessesRunningWith(*copy).empty();
        if (!seen)
            QThread::msleep(50);
    }
    if (!why && !seen)
        why = "sway started no swaybg for it (is swaybg installed?)";
    if (why) {
        if (!told_)
            qCWarning(lcDesktop) << "wallpaper: not shown on sway:" << why;
        told_ = true;
        copies_.Discard(*copy);
        return Result::Unavailable;
    }
    told_ = false;
    copies_.Shown(*copy);
    return Result::Done;
}

}  // namespace platform
