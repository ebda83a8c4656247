// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The desktop wallpaper. Seven backends live in platform/linux/desktop/: the
// X11 root window (any X11 desktop), GSettings (GNOME and its family,
// Cinnamon, MATE), KDE Plasma, XFCE, sway itself, hyprpaper (Hyprland) and
// swaybg (other wlroots compositors). At start-up the ones that fit the
// running session are chosen once, as a chain a change tries in order
// (desktop_factory.cpp). Each honours the tiling value "TileWallPaper" under
// HKEY_CURRENT_USER "Control Panel\Desktop": "1" tiles, anything else centres.

#include "platform/wallpaper_mode.h"

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
        Failed,       // the desktop's service answered with an error (said in
                      // the log): it will not show the picture; the user is told
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

    // How the pictures handed over from now on are laid on the monitors.
    enum class Layout {
        AsRegistry,  // tiled, centred, fitted, ... as the registry says
        Composed,    // one picture of the whole screen with each monitor's
                     // part already in place, shown spanned as it is
    };
    // True when the backend can show a Composed picture: the desktop spans
    // one picture over every monitor (the root window, GNOME, XFCE).
    virtual bool ShowsComposed() const { return false; }
    virtual void SetLayout(Layout layout) { layout_ = layout; }

protected:
    Layout CurrentLayout() const { return layout_; }
    // The mode the desktop is asked for: the registry's, or spanned for a
    // composed picture.
    WallpaperMode ShownMode(const Registry& registry) const
    {
        return layout_ == Layout::Composed ? WallpaperMode::Span : WallpaperModeOf(registry);
    }

private:
    Layout layout_ = Layout::AsRegistry;
};

}  // namespace platform
