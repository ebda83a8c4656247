// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A picture per monitor, composed into one picture of the whole screen: each
// monitor's picture is laid at the monitor's place, fitted to its size in the
// chosen mode (centred and tiled pictures as they are, on that monitor), and
// whatever no monitor covers stays black.

#include "image/picture.h"
#include "platform/wallpaper_mode.h"

#include <vector>

// A monitor's rectangle in device pixels, from the top-left corner of the
// whole screen.
struct WallMonitor {
    int x = 0, y = 0, width = 0, height = 0;
    bool operator==(const WallMonitor&) const = default;
};

// The monitors as a screen of `screenWidth` x `screenHeight` shows them:
// each clipped to the screen; one wholly outside it, or of no size, left out
// (and added to `ignored`, when given); mirrored ones (the same rectangle
// once clipped) once. With none left the whole screen is one monitor.
std::vector<WallMonitor> MonitorsOnScreen(const std::vector<WallMonitor>& monitors, int screenWidth, int screenHeight,
                                          std::vector<WallMonitor>* ignored = nullptr);

// The size of the picture that holds every monitor: from the screen's corner
// to the farthest right and bottom edge.
WallMonitor MonitorsExtent(const std::vector<WallMonitor>& monitors);

// `canvas` becomes a black 24-bit picture of width x height. False, empty,
// when the size is out of bounds or there is no memory.
bool StartComposition(int width, int height, DibPicture& canvas);

// Lays `picture` on `monitor` of `canvas` (24-bit, from StartComposition):
// centred on it, tiled from its top-left corner, or fitted, filled or
// stretched to its size (spanning, which makes no sense for one monitor's
// picture, fills it). Only the monitor's part of the canvas (clipped to the
// canvas) is touched. False, the canvas unchanged, when the picture is empty
// or the fitted picture finds no memory.
bool LayOnMonitor(const DibPicture& picture, const WallMonitor& monitor, platform::WallpaperMode mode,
                  DibPicture& canvas);
