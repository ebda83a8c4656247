// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The converter ApplyWallPaper uses: every picture format (Photo CD too)
// through the image component, written as BMP. A picture
// shown fitted, filled, stretched or spanned (the registry's
// "WallpaperStyle") is written at the screen's size.

#include "platform/registry.h"
#include "wallpaper/monitor_composition.h"
#include "wallpaper/wall_converter.h"

#include <functional>
#include <memory>
#include <vector>

// The primary screen's size and the extent of every screen together, in
// device pixels; zero when not known. `monitors` are every screen's
// rectangles from the extent's top-left corner, the primary first.
struct WallScreens {
    int width = 0, height = 0;
    int spanWidth = 0, spanHeight = 0;
    std::vector<WallMonitor> monitors;
};
using WallScreenSource = std::function<WallScreens()>;

// Without a source, the screens are the ones Qt knows.
std::unique_ptr<WallConverter> MakeImageWallConverter(const platform::Registry& registry,
                                                      WallScreenSource screens = {});
