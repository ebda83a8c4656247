// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The wallpaper through GSettings, for the GNOME family: GNOME itself (and
// Unity, Budgie, Pantheon), Cinnamon and MATE, each with its own schema. They
// read the file through gdk-pixbuf, so they are handed a PNG copy.

#include "platform/desktop.h"
#include "platform/linux/desktop/desktop_wallpaper_copies.h"
#include "platform/registry.h"

#include <memory>

namespace platform {

class GSettingsDesktop : public Desktop {
public:
    enum class Family { Gnome, Cinnamon, Mate };

    // Nothing when the family's schema is not installed.
    static std::unique_ptr<GSettingsDesktop> Create(Family family, const Registry& registry, std::string copyDir);

    Result SetWallpaper(const std::string& bmpPath) override;
    std::string Name() const override;
    // GNOME, Cinnamon and MATE all span a picture over the monitors.
    bool ShowsComposed() const override { return true; }

private:
    GSettingsDesktop(Family family, const Registry& registry, std::string copyDir);
    Family family_;
    const Registry& registry_;
    DesktopWallpaperCopies copies_;
};

}  // namespace platform
