// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Chooses the wallpaper backends once, at start-up, for the running session.

#include "platform/layer_shell.h"
#include "platform/linux/desktop/desktop_chain.h"
#include "platform/registry.h"

#include <memory>
#include <string>

namespace platform {

struct DesktopSession {
    std::string desktop;     // lower-cased desktop name(s), "kde", "sway", "gnome:ubuntu"
    bool wayland = false;    // a Wayland session: the X11 root window is not seen
    std::string swaySocket;  // sway's IPC socket (SWAYSOCK) in a sway session
    bool hyprland = false;   // a Hyprland session (HYPRLAND_INSTANCE_SIGNATURE)
};

// The desktop's name as the session states it (XDG_CURRENT_DESKTOP, else
// DESKTOP_SESSION), lower-cased; empty when neither is set.
std::string CurrentDesktopName();

// The desktop whose shell runs, by the name it owns on the session bus:
// "gnome" (org.gnome.Shell, or GNOME Flashback's process), "kde"
// (org.kde.plasmashell) or "xfce" (org.xfce.xfdesktop); empty when none does.
std::string RunningDesktop();

// The desktop the backends serve: one that runs goes before what the
// variables name; GNOME named by the variables while no GNOME shell runs (a
// plain X session with GNOME's variables) is no desktop of its own, as
// nothing would show its settings. Others keep their names: their shells may
// still be starting beside the program.
std::string DesktopByWhatRuns(const std::string& named, const std::string& running);

// The running session: its desktop by what runs, then by its variables, and
// Wayland when XDG_SESSION_TYPE says so, or says nothing while
// WAYLAND_DISPLAY is set; sway's socket and Hyprland as their variables name
// them.
DesktopSession CurrentSession();

// The backends in order: the desktop's own (GNOME family where its schema is
// installed, KDE, XFCE; sway itself; on Hyprland hyprpaper, then swaybg; on
// other Wayland compositors swaybg when installed),
// then the X11 root window on X11, or on Wayland a last one that fails and
// says why in the log; the log names them. `copyDir` holds the uniquely named copies the desktop
// services are handed.
// `layers`, where the compositor offers layer surfaces: on sway, Hyprland and
// the compositors without a desktop service, the program's own background
// surfaces go first (swaybg and hyprpaper stay as the fall-back).
std::unique_ptr<DesktopChain> MakeDesktop(const DesktopSession& session, const Registry& registry,
                                          const std::string& copyDir, LayerShell* layers = nullptr);

}  // namespace platform
