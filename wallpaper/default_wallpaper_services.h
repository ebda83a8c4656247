// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The real wallpaper services of a run: the registry file, the desktop
// backend chosen once for the running session, and the image converter.

#include "wallpaper/wallpaper_services.h"

#include <memory>
#include <string>

class DefaultWallpaperServices {
public:
    // `windowsDir` also holds the uniquely named copies the desktop services
    // (GNOME, KDE, XFCE) are handed.
    explicit DefaultWallpaperServices(const std::string& windowsDir);
    ~DefaultWallpaperServices();

    const WallpaperServices& Services() const { return services_; }

private:
    std::unique_ptr<platform::Registry> registry_;
    std::unique_ptr<platform::Desktop> desktop_;
    std::unique_ptr<WallConverter> converter_;
    WallpaperServices services_;
};
