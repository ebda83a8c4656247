// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Uniquely named copies of the wallpaper for desktops that do not read a path
// again that they already show (GNOME, KDE, XFCE, swaybg): each change hands
// them a new name, and the copies of earlier changes are removed once the new
// one is shown. Copies carry the display they were made for, so two copies of
// the program on two displays sharing the directory remove only their own.

#include "platform/desktop.h"

#include <optional>
#include <string>
#include <vector>

namespace platform {

class DesktopBitmap;

class DesktopWallpaperCopies {
public:
    enum class Format {
        Bmp,  // the program's own bitmap, linked or copied as it is
        Png,  // for desktops that read files through gdk-pixbuf, whose newer
              // builds come without their BMP loader
    };

    // `owner` names the display the copies are made for (OwnerOfDisplay()).
    explicit DesktopWallpaperCopies(std::string dir, Format format = Format::Bmp, std::string owner = OwnerOfDisplay());

    // A new copy of `bmpPath` (a hard link when the file system allows, else a
    // copy), or nothing when it could not be made. Bitmap copies only.
    std::optional<std::string> Make(const std::string& bmpPath);
    // The desktop reads the file later, on its own: checks now that
    // `bmpPath` is a picture, so a broken file counts as a failed try, then
    // makes its copy in the format asked for. On failure `failure` says why
    // (Unreadable, Unavailable).
    std::optional<std::string> MakeChecked(const std::string& bmpPath, Desktop::Result& failure);
    // A PNG copy of the part (x, y, width, height) of `bitmap`, clipped to
    // it, for a desktop that shows a picture per output; nothing when the
    // part is empty or the copy could not be written.
    std::optional<std::string> MakePart(const DesktopBitmap& bitmap, int x, int y, int width, int height);
    // The desktop shows `copy`: every other copy of this owner goes.
    void Shown(const std::string& copy);
    // The desktop shows these copies (one per output): every other goes.
    void Shown(const std::vector<std::string>& copies);
    // The desktop did not take `copy`: it goes.
    void Discard(const std::string& copy);

    // The running display (X11, else Wayland) as a file-name part: letters,
    // digits and dots, anything else "_" (":0" gives "_0"), so one owner's
    // prefix never matches another's.
    static std::string OwnerOfDisplay();
    static std::string OwnerTag(const std::string& display);

private:
    std::string NewName(const char* extension);
    std::string dir_;
    Format format_;
    std::string prefix_;  // "ZelvaroWl-<owner>-"
    unsigned long counter_ = 0;
};

}  // namespace platform
