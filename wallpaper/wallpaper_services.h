// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The services the wallpaper side works through: the registry (whose
// "TileWallPaper" the desktop honours), the desktop backend and the image
// converter. main hands in the real ones (DefaultWallpaperServices), tests
// fakes.

#include "platform/desktop.h"
#include "platform/registry.h"
#include "wallpaper/wall_converter.h"

struct WallpaperServices {
    platform::Registry& registry;
    platform::Desktop& desktop;
    WallConverter& converter;
};
