// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/linux/desktop/desktop_factory.h"

#include "platform/linux/desktop/gsettings_desktop.h"
#include "platform/linux/desktop/hyprpaper_desktop.h"
#include "platform/linux/desktop/kde_desktop.h"
#include "platform/linux/desktop/sway_desktop.h"
#include "platform/linux/desktop/swaybg_desktop.h"
#include "platform/linux/desktop/x11_root_desktop.h"
#include "platform/linux/desktop/xfce_desktop.h"
#include "platform/linux/shared/desktop_log.h"
#include "platform/linux/sway/sway_ipc.h"
#include "platform/linux/system/process_scan.h"
#include "platform/linux/wayland/layer_wallpaper_desktop.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>

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

// GNOME itself, not a desktop of its family that reads GNOME's settings
// without GNOME Shell (Budgie, Pantheon, Unity, Cinnamon, MATE).
bool PlainGnome(const std::string& name)
{
    if (!Has(name, "gnome"))
        return false;
    for (const char* family : {"budgie", "pantheon", "unity", "cinnamon", "mate"})
        if (Has(name, family))
            return false;
    return true;
}

bool OnSessionBus(const char* name)
{
    const QDBusConnectionInterface* bus = QDBusConnection::sessionBus().interface();
    return bus && bus->isServiceRegistered(QLatin1String(name)).value();
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

std::string RunningDesktop()
{
    if (OnSessionBus("org.gnome.Shell") || !ProcessesRunningWith("gnome-flashback").empty())
        return "gnome";
    if (OnSessionBus("org.kde.plasmashell"))
        return "kde";
    if (OnSessionBus("org.xfce.xfdesktop"))
        return "xfce";
    return "";
}

std::string DesktopByWhatRuns(const std::string& named, const std::string& running)
{
    if (!running.empty())
        return Has(named, running.c_str()) ? named : running;
    return PlainGnome(named) ? "" : named;
}

DesktopSession CurrentSession()
{
    DesktopSession session;
    session.desktop = DesktopByWhatRuns(CurrentDesktopName(), RunningDesktop());
    const std::string type = Lower(std::getenv("XDG_SESSION_TYPE"));
    const char* waylandDisplay = std::getenv("WAYLAND_DISPLAY");
    session.wayland = type == "wayland" || (type.empty() && waylandDisplay && *waylandDisplay);
    session.swaySocket = SwayIpc::SessionSocket();
    const char* hyprland = std::getenv("HYPRLAND_INSTANCE_SIGNATURE");
    session.hyprland = hyprland && *hyprland;
    return session;
}

namespace {

std::unique_ptr<DesktopChain> Chain(const DesktopSession& session, const Registry& registry, const std::string& copyDir,
                                    LayerShell* layers);

}  // namespace

std::unique_ptr<DesktopChain> MakeDesktop(const DesktopSession& session, const Registry& registry,
                                          const std::string& copyDir, LayerShell* layers)
{
    auto chain = Chain(session, registry, copyDir, layers);
    qCInfo(lcDesktop).noquote() << "wallpaper: " + QString::fromStdString(chain->Names()) + " for the desktop \"" +
                                       QString::fromStdString(session.desktop) +
                                       (session.wayland ? "\" on Wayland" : "\" on X11");
    return chain;
}

namespace {

std::unique_ptr<DesktopChain> Chain(const DesktopSession& session, const Registry& registry, const std::string& copyDir,
                                    LayerShell* layers)
{
    std::vector<std::unique_ptr<Desktop>> backends;
    if (layers && session.wayland &&
        (!session.swaySocket.empty() || session.hyprland || !KnownDesktop(session.desktop))) {
        // sway draws the background client it started (its "output bg") above
        // later ones: started anew, with black, it goes beneath the program's.
        // At an orderly end sway's own background takes the last picture, so
        // the desktop does not turn black when the program's surfaces go.
        std::function<void()> beneath;
        std::function<void(const std::string&)> handOver;
        if (!session.swaySocket.empty()) {
            beneath = [socket = session.swaySocket] { SwayIpc(socket).Run("output * bg #000000 solid_color"); };
            handOver = [&registry, copyDir, socket = session.swaySocket](const std::string& bmpPath) {
                SwayDesktop(registry, copyDir, socket).SetWallpaper(bmpPath);
            };
        }
        backends.push_back(
            std::make_unique<LayerWallpaperDesktop>(*layers, registry, std::move(beneath), std::move(handOver)));
    }
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

}  // namespace

}  // namespace platform
