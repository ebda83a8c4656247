// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/real_services.h"

#include "platform/linux/saver/desktop_session_screen_saver.h"
#include "platform/linux/sway/sway_ipc.h"
#include "wallpaper/image_wall_converter.h"

RealServices::RealServices(const std::string& settingsFile, const std::string& windowsDir)
    : windowsDir_(windowsDir), saver_(platform::MakeScreenSaver()), profile_(settingsFile),
      registry_(platform::FileRegistry::DefaultPath()),
      desktop_(platform::MakeDesktop(platform::CurrentSession(), registry_, windowsDir_)),
      converter_(MakeImageWallConverter(registry_)),
      wallpaper_{registry_, *desktop_, *converter_, memory_}, about_{browser_, launcher_, facts_}
{
    if (const std::string sway = platform::SwayIpc::SessionSocket(); !sway.empty())
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
