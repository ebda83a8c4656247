// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The screen saver of a desktop with its own: GNOME-family desktops switch it
// through their settings (org.gnome.desktop.session idle-delay); KDE and XFCE,
// whose lockers ignore the X server's saver, are held off through the
// freedesktop ScreenSaver service (Inhibit while it is switched off). Either
// way the X server's saver is kept in step, so `xset q` shows the same
// state, and "start now" asks the desktop's saver first.

#include "platform/linux/x11_screen_saver.h"
#include "platform/screen_saver.h"

#include <cstdint>
#include <memory>
#include <optional>

namespace platform {

class DesktopSessionScreenSaver : public ScreenSaver {
public:
    enum class Kind {
        GnomeSettings,  // GNOME, Unity, Budgie, Pantheon with their session schema
        Freedesktop,    // KDE, XFCE: org.freedesktop.ScreenSaver on the session bus
    };

    explicit DesktopSessionScreenSaver(Kind kind);
    ~DesktopSessionScreenSaver() override;
    bool IsActive() override;
    void SetActive(bool active) override;
    void StartNow() override;

    // The kind of this desktop session, or nothing when it has neither.
    static std::optional<Kind> Detect();

    // Whether this program holds the desktop's saver off now.
    bool Inhibited() const { return cookie_.has_value(); }

private:
    Kind kind_;
    unsigned savedDelay_ = 300;
    std::optional<std::uint32_t> cookie_;
    X11ScreenSaver x11_;
};

// The backend for the running desktop: the desktop's own where one is found,
// else the X server's.
std::unique_ptr<ScreenSaver> MakeScreenSaver();

}  // namespace platform
