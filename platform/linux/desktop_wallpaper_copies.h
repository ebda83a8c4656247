#pragma once
// Uniquely named copies of the wallpaper for desktops that do not read a path
// again that they already show (GNOME, KDE, XFCE): each change hands them a
// new name, and the copies of earlier changes are removed once the new one is
// shown.

#include "platform/desktop.h"

#include <optional>
#include <string>

namespace platform {

class DesktopWallpaperCopies {
public:
    explicit DesktopWallpaperCopies(std::string dir);

    // A new copy of `bmpPath` (a hard link when the file system allows, else a
    // copy), or nothing when it could not be made.
    std::optional<std::string> Make(const std::string& bmpPath);
    // The desktop reads the file later, on its own: checks now that
    // `bmpPath` is a picture, so a broken file counts as a failed try, then
    // makes its copy. On failure `failure` says why (Unreadable, Unavailable).
    std::optional<std::string> MakeChecked(const std::string& bmpPath, Desktop::Result& failure);
    // The desktop shows `copy`: every other copy in the directory goes.
    void Shown(const std::string& copy);
    // The desktop did not take `copy`: it goes.
    void Discard(const std::string& copy);

private:
    std::string dir_;
    unsigned long counter_ = 0;
};

}  // namespace platform
