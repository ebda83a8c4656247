// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/real_services.h"

#include "platform/linux/desktop/x11_monitors.h"
#include "platform/linux/saver/desktop_session_screen_saver.h"
#include "platform/linux/sway/sway_ipc.h"
#include "wallpaper/image_wall_converter.h"
#include "wallpaper/monitor_composition.h"

#include <QGuiApplication>

namespace {

// On X11 the screen's own size, which Qt does not tell (its screens are the
// monitors, and a monitor may lie outside the screen), and every monitor as
// it is; elsewhere the screens Qt knows.
WallScreenSource ScreensOfThisDisplay()
{
    if (QGuiApplication::platformName() != QLatin1String("xcb"))
        return {};
    return [] {
        const auto layout = platform::X11CurrentScreenLayout();
        if (!layout)
            return WallScreens{};
        WallScreens screens;
        screens.spanWidth = layout->width;
        screens.spanHeight = layout->height;
        for (const platform::X11Monitor& m : layout->monitors)
            screens.monitors.push_back({m.x, m.y, m.width, m.height});
        // The first monitor the screen shows is the one a single picture is
        // fitted to.
        const auto shown = MonitorsOnScreen(screens.monitors, layout->width, layout->height);
        screens.width = shown.empty() ? layout->width : shown.front().width;
        screens.height = shown.empty() ? layout->height : shown.front().height;
        return screens;
    };
}

// The program's own connection for layer surfaces, when Qt runs through
// Xwayland: a Qt window on Wayland proper could not place its menus beside a
// surface Qt does not know. ZELVARO_LAYER_SHELL=0 keeps the clock a window.
std::unique_ptr<platform::WaylandConnection> LayerConnection()
{
    if (QGuiApplication::platformName() != QLatin1String("xcb") || qgetenv("ZELVARO_LAYER_SHELL") == "0")
        return nullptr;
    return platform::WaylandConnection::Connect();
}

}  // namespace

RealServices::RealServices(const std::string& settingsFile, const std::string& windowsDir)
    : windowsDir_(windowsDir), wayland_(LayerConnection()), saver_(platform::MakeScreenSaver()), profile_(settingsFile),
      registry_(platform::FileRegistry::DefaultPath()),
      desktop_(platform::MakeDesktop(platform::CurrentSession(), registry_, windowsDir_, wayland_.get())),
      converter_(MakeImageWallConverter(registry_, ScreensOfThisDisplay())),
      wallpaper_{registry_, *desktop_, *converter_, memory_, &zonePlace_}, about_{browser_, launcher_, facts_}
{
    // sway's window rules are for the clock window; a layer surface needs none.
    if (const std::string sway = platform::SwayIpc::SessionSocket(); !sway.empty() && !wayland_)
        windowManager_ = std::make_unique<platform::SwayWindowManager>(sway);
}

RealServices::~RealServices() = default;

ClockServices RealServices::Services(platform::Help& help)
{
    return ClockServices{
        clock_,     sound_, help,   *saver_,   profile_, windowsDir_,
        wallpaper_, facts_, about_, clockSet_, mounts_,  windowManager_ ? *windowManager_ : platform::NoWindowManager(),
        zoneWatch_};
}
