// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The screen saver of a desktop with a session service. Switching it off
// never changes a desktop setting: the program holds an inhibitor that the
// desktop drops when the program lets go of it or its bus connection ends
// (a quit, a crash or a kill alike), so blanking and locking always come
// back. GNOME and every desktop offering org.gnome.SessionManager take an
// inhibitor with the idle flag; KDE and XFCE, whose lockers ignore the X
// server's saver, and any other desktop offering that service (hypridle),
// take one from org.freedesktop.ScreenSaver (and on X11 the X server's saver
// is suspended beside it, for lockers that follow that one).
// "Start now" asks the desktop's saver first.

#include "platform/linux/saver/x11_screen_saver.h"
#include "platform/screen_saver.h"

#include <cstdint>
#include <memory>
#include <optional>

namespace platform {

class DesktopSessionScreenSaver : public ScreenSaver {
public:
    enum class Kind {
        GnomeSession,  // org.gnome.SessionManager on the session bus
        Freedesktop,   // KDE, XFCE: org.freedesktop.ScreenSaver on the session bus
    };

    // `withX11`: an X11 session, whose X server's saver is kept in step
    // (Xwayland's blanks nothing and reads "off").
    explicit DesktopSessionScreenSaver(Kind kind, bool withX11 = true);
    ~DesktopSessionScreenSaver() override;
    bool IsActive() override;
    void SetActive(bool active) override;
    void StartNow() override;

    // The kind of this desktop session, or nothing when it has neither.
    static std::optional<Kind> Detect();

    // Whether this program holds the desktop's saver off now.
    bool Inhibited() const { return cookie_.has_value(); }

private:
    void Release();

    Kind kind_;
    bool withX11_;
    std::optional<std::uint32_t> cookie_;
    X11ScreenSaver x11_;
};

// The backend for the running desktop: sway's own where SWAYSOCK names one,
// else the desktop's session service where one is found, else the X server's
// on X11; a Wayland session without a service gets a switch that cannot act
// (it stays unchecked and the log says why).
std::unique_ptr<ScreenSaver> MakeScreenSaver();

}  // namespace platform
