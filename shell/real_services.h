// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The one place the program's Linux backends are built: the clock, the
// sounds, the screen saver, the settings file, the wallpaper side (registry,
// desktop chain for the running session, image converter), the machine's
// facts, the about box's browser and launcher, the clock-set and time-zone
// watches, the mount table and the help file's reader. main builds one for
// the run and hands its services down by reference; everything below sees
// interfaces only.

#include "about/about_services.h"
#include "platform/linux/desktop/desktop_factory.h"
#include "platform/linux/files/disk_file_reader.h"
#include "platform/linux/files/disk_profile_file.h"
#include "platform/linux/files/file_registry.h"
#include "platform/linux/session/process_launcher.h"
#include "platform/linux/session/xdg_default_browser.h"
#include "platform/linux/sound/sdl_sound.h"
#include "platform/linux/sway/sway_window_manager.h"
#include "platform/linux/system/inotify_time_zone_watch.h"
#include "platform/linux/system/linux_system_facts.h"
#include "platform/linux/system/malloc_process_memory.h"
#include "platform/linux/system/proc_mount_table.h"
#include "platform/linux/system/system_clock.h"
#include "platform/linux/system/timerfd_clock_set_watch.h"
#include "platform/linux/system/zone_tab_time_zone_place.h"
#include "platform/linux/wayland/wayland_connection.h"
#include "shell/clock_services.h"
#include "wallpaper/wallpaper_services.h"

#include <memory>
#include <string>

class RealServices {
public:
    // `settingsFile`: this copy's settings; `windowsDir`: where the converted
    // wallpaper goes, and the uniquely named copies the desktop services
    // (GNOME, KDE, XFCE) are handed.
    RealServices(const std::string& settingsFile, const std::string& windowsDir);
    ~RealServices();
    RealServices(const RealServices&) = delete;
    RealServices& operator=(const RealServices&) = delete;

    // Reads the help file for the help window.
    const platform::FileReader& Files() const { return files_; }
    // The clock window's services, with the help window main made.
    ClockServices Services(platform::Help& help);
    // Surfaces in the compositor's layers, where the program runs through
    // Xwayland on a compositor that offers them; nullptr elsewhere.
    platform::LayerShell* LayerShell() const { return wayland_.get(); }

private:
    std::string windowsDir_;
    std::unique_ptr<platform::WaylandConnection> wayland_;
    platform::SystemClock clock_;
    platform::SdlSound sound_;
    std::unique_ptr<platform::ScreenSaver> saver_;
    platform::DiskProfileFile profile_;
    platform::FileRegistry registry_;
    std::unique_ptr<platform::DesktopChain> desktop_;
    std::unique_ptr<WallConverter> converter_;
    platform::MallocProcessMemory memory_;
    WallpaperServices wallpaper_;
    platform::LinuxSystemFacts facts_;
    platform::XdgDefaultBrowser browser_;
    platform::ProcessLauncher launcher_;
    AboutServices about_;
    platform::TimerfdClockSetWatch clockSet_;
    platform::InotifyTimeZoneWatch zoneWatch_;
    platform::ProcMountTable mounts_;
    platform::ZoneTabTimeZonePlace zonePlace_;
    platform::DiskFileReader files_;
    // sway tiles every window unless asked; other desktops go by the window's hints.
    std::unique_ptr<platform::WindowManager> windowManager_;
};
