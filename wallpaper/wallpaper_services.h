// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The services the wallpaper side works through: the registry (whose
// "TileWallPaper" the desktop honours), the desktop backend, the image
// converter, and the process's memory, handed back after a big picture. main
// hands in the real ones (shell/real_services.h), tests fakes.

#include "platform/desktop.h"
#include "platform/process_memory.h"
#include "platform/registry.h"
#include "platform/time_zone_place.h"
#include "wallpaper/wall_converter.h"

struct WallpaperServices {
    platform::Registry& registry;
    platform::Desktop& desktop;
    WallConverter& converter;
    platform::ProcessMemory& memory = platform::KeptProcessMemory();
    // Where dynamic wallpapers look at the sun when the settings name no place.
    const platform::TimeZonePlace* timeZonePlace = nullptr;
};
