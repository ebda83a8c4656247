#pragma once
// Chooses the wallpaper backend once, at start-up, for the running desktop.

#include "platform/desktop.h"
#include "platform/registry.h"

#include <memory>
#include <string>

namespace platform {

// The desktop's name as the session states it (XDG_CURRENT_DESKTOP, else
// DESKTOP_SESSION), lower-cased; empty when neither is set.
std::string CurrentDesktopName();

// GNOME family, KDE or XFCE where the session is one of them (and, for the
// GNOME family, its schema is installed); the X11 root window otherwise.
// `copyDir` holds the uniquely named copies the desktop services are handed.
std::unique_ptr<Desktop> MakeDesktop(const std::string& desktopName, const Registry& registry,
                                     const std::string& copyDir);

}  // namespace platform
