// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/linux/desktop/desktop_factory.h"

#include "platform/linux/shared/desktop_log.h"
#include "platform/linux/desktop/gsettings_desktop.h"
#include "platform/linux/desktop/hyprpaper_desktop.h"
#include "platform/linux/desktop/kde_desktop.h"
#include "platform/linux/desktop/sway_desktop.h"
#include "platform/linux/sway/sway_ipc.h"
#include "platform/linux/desktop/swaybg_desktop.h"
#include "platform/linux/desktop/x11_root_desktop.h"
#include "platform/linux/desktop/xfce_desktop.h"

#include <cstdlib>

Q_LOGGING_CATEGORY(lcDesktop, "zelvaro.desktop")

namespace platform {
namespace {

bool Has(const std::string& text, const char* word)
{
    return text.find(word) != std::string::npos;
}

std::string Lower(const char* text)
{
    std::string out = text ? text : "";
    for (char& c : out)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return out;
}

// The desktop's own backend, if it has one we know.
std::unique_ptr<Desktop> OwnBackend(const std::string& name, const Registry& registry, const std::string& copyDir)
{
    using Family = GSettingsDesktop::Family;
    if (Has(name, "kde"))
        return std::make_unique<KdeDesktop>(registry, copyDir);
    if (Has(name, "xfce"))
        return std::make_unique<XfceDesktop>(registry, copyDir);
    if (Has(name, "cinnamon"))
        return GSettingsDesktop::Create(Family::Cinnamon, registry, copyDir);
    if (Has(name, "mate"))
        return GSettingsDesktop::Create(Family::Mate, registry, copyDir);
    if (Has(name, "gnome") || Has(name, "unity") || Has(name, "budgie") || Has(name, "pantheon"))
        return GSettingsDesktop::Create(Family::Gnome, registry, copyDir);
    return nullptr;
}

bool KnownDesktop(const std::string& name)
{
    for (const char* known : {"kde", "xfce", "cinnamon", "mate", "gnome", "unity", "budgie", "pantheon"})
        if (Has(name, known))
            return true;
    return false;
}

}  // namespace

std::string CurrentDesktopName()
{
    const char* name = std::getenv("XDG_CURRENT_DESKTOP");
    if (!name || !*name)
        name = std::getenv("DESKTOP_SESSION");
    return Lower(name);
}

DesktopSession CurrentSession()
{
    DesktopSession session;
    session.desktop = CurrentDesktopName();
    const std::string type = Lower(std::getenv("XDG_SESSION_TYPE"));
    const char* waylandDisplay = std::getenv("WAYLAND_DISPLAY");
    session.wayland = type == "wayland" || (type.empty() && waylandDisplay && *waylandDisplay);
    session.swaySocket = SwayIpc::SessionSocket();
    const char* hyprland = std::getenv("HYPRLAND_INSTANCE_SIGNATURE");
    session.hyprland = hyprland && *hyprland;
    return session;
}

std::unique_ptr<DesktopChain> MakeDesktop(const DesktopSession& session, const Registry& registry,
                                          const std::string& copyDir)
{
    std::vector<std::unique_ptr<Desktop>> backends;
    // sway draws its own background above any swaybg of ours: only sway
    // itself can change it.
    if (!session.swaySocket.empty()) {
        backends.push_back(std::make_unique<SwayDesktop>(registry, copyDir, session.swaySocket));
        backends.push_back(std::make_unique<NoWallpaperDesktop>("sway did not show the wallpaper"));
        return std::make_unique<DesktopChain>(std::move(backends));
    }
    if (session.hyprland)
        backends.push_back(std::make_unique<HyprpaperDesktop>(registry, copyDir));
    if (auto own = OwnBackend(session.desktop, registry, copyDir))
        backends.push_back(std::move(own));
    if (!session.wayland) {
        backends.push_back(std::make_unique<X11RootDesktop>(registry));
        return std::make_unique<DesktopChain>(std::move(backends));
    }
    // Wayland: the root window XWayland offers is never seen, so painting it
    // would report a success that shows nothing.
    const std::string desktop = session.desktop.empty() ? "unnamed desktop" : session.desktop;
    std::string why = "no way to set the wallpaper in this Wayland session (" + desktop + ")";
    if (!KnownDesktop(session.desktop)) {
        const std::string swaybg = SwaybgDesktop::FindSwaybg();
        if (!swaybg.empty())
            backends.push_back(std::make_unique<SwaybgDesktop>(registry, copyDir, swaybg));
        else
            why += ": swaybg is not installed";
    } else {
        why += ": its desktop service did not answer";
    }
    backends.push_back(std::make_unique<NoWallpaperDesktop>(why));
    return std::make_unique<DesktopChain>(std::move(backends));
}

}  // namespace platform
