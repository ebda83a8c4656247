// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The screen saver of a desktop with a session service. Switching it off
// never changes a desktop setting: the program holds an inhibitor that the
// desktop drops when the program lets go of it or its bus connection ends
// (a quit, a crash or a kill alike), so blanking and locking always come
// back. GNOME and every desktop offering org.gnome.SessionManager take an
// inhibitor with the idle flag; KDE and XFCE, whose lockers ignore the X
// server's saver, and any other desktop offering that service (hypridle),
// take one from org.freedesktop.ScreenSaver, else (XFCE without its saver)
// from the power manager's org.freedesktop.PowerManagement.Inhibit; on X11
// the X server's saver is suspended beside it, for lockers that follow that
// one. "Start now" asks the desktop's saver first, else starts the X
// server's (on X11) or says in the log that nothing can be started.
//
// No call waits for its answer: the state follows each answer as it comes,
// so a desktop service that hangs never freezes the window.

#include "platform/linux/saver/x11_screen_saver.h"
#include "platform/screen_saver.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>

// Declared only: GIO's headers, which the source includes, must come before Qt's.
class QDBusMessage;
class QObject;

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

    // Whether the desktop has answered with an inhibitor this program holds now.
    bool Inhibited() const { return held_.has_value(); }

private:
    struct Held {
        std::size_t service;  // which of the kind's inhibitor services holds it
        std::uint32_t cookie;
    };
    void AskForInhibitor(std::size_t service);
    void InhibitorAnswered(std::size_t service, const QDBusMessage& reply);
    void StartWith(std::size_t step);
    void Release(int waitMs = 0);

    Kind kind_;
    bool withX11_;
    bool wanted_ = false;  // switched off: an inhibitor is wanted
    bool asking_ = false;  // an inhibitor was asked for and the answer is due
    std::optional<Held> held_;
    X11ScreenSaver x11_;
    std::unique_ptr<QObject> calls_;  // the answers' receiver: none arrives once this object is gone
};

// The backend for the running desktop: sway's own where SWAYSOCK names one,
// else the desktop's session service where one is found, else the X server's
// on X11; a Wayland session without a service gets a switch that cannot act
// (it stays unchecked and the log says why). The log names the one chosen.
std::unique_ptr<ScreenSaver> MakeScreenSaver();

}  // namespace platform
