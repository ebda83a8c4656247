// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The services the clock window works through, handed in by main (the real
// backends) or by a test (the fakes).

#include "platform/clock.h"
#include "platform/clock_jump_watch.h"
#include "platform/help.h"
#include "platform/mount_table.h"
#include "platform/profile_file.h"
#include "platform/screen_saver.h"
#include "platform/sound.h"
#include "platform/system_facts.h"
#include "platform/window_manager.h"

#include <string>

struct AboutServices;
struct WallpaperServices;

struct ClockServices {
    platform::Clock& clock;
    platform::Sound& sound;
    platform::Help& help;
    platform::ScreenSaver& saver;
    platform::ProfileFile& profile;  // the settings file
    std::string windowsDir;          // where the converted wallpaper goes
    // The registry, desktop and image converter of the wallpaper side.
    const WallpaperServices& wallpaper;
    // The machine's facts for the information dialog.
    const platform::SystemFacts& facts;
    // The about box's browser, launcher and memory figure.
    const AboutServices& about;
    // Tells the tick when the system clock was set or the machine resumed.
    platform::ClockSetWatch& clockSet = platform::NoClockJumpWatch<platform::ClockSet>();
    // The mounted file systems, for the drive lists of the file pickers.
    const platform::MountTable& mounts = platform::NoMountTable();
    // Floats the window where the window manager does not by itself (sway).
    platform::WindowManager& windowManager = platform::NoWindowManager();
    // Tells the tick when the system's time zone changed.
    platform::TimeZoneWatch& zoneWatch = platform::NoClockJumpWatch<platform::TimeZoneChange>();
    // The folder of the sounds that ship, where the sound pickers open when
    // their field is empty ("" for none).
    std::string soundFolder;
};
