// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The wallpaper backends of a session in order of preference: a change goes
// to the first one, and to the next when a backend's service is not there
// (plasmashell or xfconfd not running, swaybg giving up), ending with the X11
// root window on X11. Any other answer is the change's: a picture that cannot
// be read, a desktop that refused it or failed (it draws the desktop itself,
// so another backend's picture would not be seen). None there: Unavailable.
// A picture handed over ahead of its file goes to the first backend, the one
// a running desktop shows; when that one needs the file, the change waits for
// the file and goes down the chain as any other.

#include "platform/desktop.h"

#include <memory>
#include <vector>

namespace platform {

class DesktopChain : public Desktop {
public:
    explicit DesktopChain(std::vector<std::unique_ptr<Desktop>> backends);
    Result SetWallpaper(const std::string& bmpPath) override;
    Result SetWallpaperFrom(const std::string& bmpPath, const DibPicture& picture) override;
    std::unique_ptr<Prepared> PrepareFrom(const DibPicture& picture) override;
    // The first backend's name.
    std::string Name() const override;
    // The first backend's answer: the one a running desktop shows.
    bool ShowsComposed() const override;
    void SetLayout(Layout layout) override;
    // Every backend's name in order, joined by ","; "kde,x11-root".
    std::string Names() const;

private:
    template <typename Set>
    Result Try(Set set);
    std::vector<std::unique_ptr<Desktop>> backends_;
};

// The last backend of a session with no way to show a wallpaper (a Wayland
// compositor we have no interface for, swaybg not installed): every change
// fails, and the log says why once.
class NoWallpaperDesktop : public Desktop {
public:
    explicit NoWallpaperDesktop(std::string why) : why_(std::move(why)) {}
    Result SetWallpaper(const std::string& bmpPath) override;
    std::string Name() const override { return "none"; }

private:
    std::string why_;
    bool told_ = false;
};

}  // namespace platform
