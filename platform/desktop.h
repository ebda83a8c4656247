// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The desktop wallpaper. One backend is chosen at start-up for the running
// desktop (the X11 root window works everywhere; GNOME, KDE and XFCE have
// their own). Each honours the tiling value "TileWallPaper" under
// HKEY_CURRENT_USER "Control Panel\Desktop": "1" tiles, anything else centres.

#include <memory>
#include <string>

class DibPicture;

namespace platform {

class Desktop {
public:
    enum class Result {
        Done,         // the desktop shows the file
        Refused,      // the desktop did not take it now; asking again may work
        Unavailable,  // no display, the desktop service did not answer in time,
                      // or the copy it needs could not be written: asking
                      // again at once would fail the same way
        Unreadable,   // the file cannot be shown (missing, not a bitmap, broken)
        NotRunning,   // the desktop's service is not there (not running, not
                      // installed): another backend may show the picture
    };

    virtual ~Desktop() = default;
    // Makes a BMP file the wallpaper, tiled or centred as the registry says.
    // Never blocks for long: a desktop service that does not answer gives
    // Unavailable after a short timeout.
    virtual Result SetWallpaper(const std::string& bmpPath) = 0;
    // The same, for a bitmap file whose picture the caller still holds
    // exactly as written: a backend that draws the pixels itself need not
    // read the file back.
    virtual Result SetWallpaperFrom(const std::string& bmpPath, const DibPicture& picture)
    {
        static_cast<void>(picture);
        return SetWallpaper(bmpPath);
    }
    // A picture handed to the desktop ahead of its file (see PrepareFrom).
    // Letting it go without Show leaves the wallpaper as it was.
    class Prepared {
    public:
        virtual ~Prepared() = default;
        // Waits until the desktop holds the picture, then shows it, tiled or
        // centred as the registry said when it was prepared.
        virtual Result Show() = 0;
    };
    // For a backend that draws the pixels itself: starts handing `picture`
    // to the desktop in the background and returns at once, so the caller
    // can write the bitmap file meanwhile; the picture must stay unchanged
    // until Show returns or the result is let go. Nothing when the backend
    // needs the file (then SetWallpaper after the file is written).
    virtual std::unique_ptr<Prepared> PrepareFrom(const DibPicture& picture)
    {
        static_cast<void>(picture);
        return nullptr;
    }
    // The backend's name, for logs and tests ("x11-root", "gnome", ...).
    virtual std::string Name() const = 0;
};

}  // namespace platform
