// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// How the wallpaper fills the screen, as the registry's "Control Panel\Desktop"
// says: "WallpaperStyle" "6" fits the picture, "10" fills, "2" stretches, "22"
// spans all monitors; any other style (or none) leaves it to "TileWallPaper":
// "1" tiles, anything else centres. And the one place where each desktop's
// name for a mode is kept.

#include "platform/registry.h"

#include <string>

namespace platform {

enum class WallpaperMode { Centre, Tile, Fit, Fill, Stretch, Span };

inline constexpr const char* kDesktopKey = "Control Panel\\Desktop";

inline WallpaperMode WallpaperModeOf(const Registry& registry)
{
    const auto style = registry.ReadString(RootKey::CurrentUser, kDesktopKey, "WallpaperStyle");
    if (style == "6")
        return WallpaperMode::Fit;
    if (style == "10")
        return WallpaperMode::Fill;
    if (style == "2")
        return WallpaperMode::Stretch;
    if (style == "22")
        return WallpaperMode::Span;
    return WallpaperTiled(registry) ? WallpaperMode::Tile : WallpaperMode::Centre;
}

// The registry's two values for a mode: "WallpaperStyle", then "TileWallPaper".
struct WallpaperModeValues {
    const char* style;
    const char* tile;
};

inline WallpaperModeValues RegistryValuesFor(WallpaperMode mode)
{
    switch (mode) {
    case WallpaperMode::Tile: return {"0", "1"};
    case WallpaperMode::Fit: return {"6", "0"};
    case WallpaperMode::Fill: return {"10", "0"};
    case WallpaperMode::Stretch: return {"2", "0"};
    case WallpaperMode::Span: return {"22", "0"};
    default: return {"0", "0"};
    }
}

// Each desktop's name for the mode: GNOME's picture-options, KDE's image
// FillMode, XFCE's image-style, and the mode of sway's bg and of swaybg's -m.
// The desktops without a spanning mode fill each output instead.
struct WallpaperModeNames {
    const char* gnome;
    int kdeFillMode;
    int xfceImageStyle;
    const char* sway;
};

inline WallpaperModeNames DesktopNamesFor(WallpaperMode mode)
{
    switch (mode) {
    case WallpaperMode::Tile: return {"wallpaper", 3, 2, "tile"};
    case WallpaperMode::Fit: return {"scaled", 1, 4, "fit"};
    case WallpaperMode::Fill: return {"zoom", 2, 5, "fill"};
    case WallpaperMode::Stretch: return {"stretched", 0, 3, "stretch"};
    case WallpaperMode::Span: return {"spanned", 2, 6, "fill"};
    default: return {"centered", 6, 1, "center"};
    }
}

}  // namespace platform
