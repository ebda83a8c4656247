// SPDX-License-Identifier: GPL-3.0-or-later
// How the wallpaper fills the screen, read from the registry's two values as
// the desktop the values come from reads them, and written back as both.
#include "platform/fake/memory_registry.h"
#include "platform/wallpaper_mode.h"

#include <gtest/gtest.h>

#include <optional>

using platform::WallpaperMode;

TEST(WallpaperMode, StyleChoosesAndTileDecidesTheRest)
{
    struct Case {
        std::optional<std::string> style, tile;
        WallpaperMode mode;
    };
    const Case cases[] = {
        {std::nullopt, std::nullopt, WallpaperMode::Centre},  // nothing written: as it always was
        {std::nullopt, "1", WallpaperMode::Tile},
        {"0", "0", WallpaperMode::Centre},
        {"0", "1", WallpaperMode::Tile},
        {"6", "0", WallpaperMode::Fit},
        {"10", "1", WallpaperMode::Fill},  // the style wins over the tiling
        {"2", std::nullopt, WallpaperMode::Stretch},
        {"22", "0", WallpaperMode::Span},
        {"7", "1", WallpaperMode::Tile},  // a style we do not know leaves it to the tiling
        {"", "0", WallpaperMode::Centre},
    };
    for (const Case& c : cases) {
        platform::MemoryRegistry registry;
        if (c.style)
            registry.WriteString(platform::RootKey::CurrentUser, platform::kDesktopKey, "WallpaperStyle", *c.style);
        if (c.tile)
            registry.WriteString(platform::RootKey::CurrentUser, platform::kDesktopKey, "TileWallPaper", *c.tile);
        EXPECT_EQ(WallpaperModeOf(registry), c.mode) << c.style.value_or("-") << " " << c.tile.value_or("-");
    }
    for (int m = 0; m <= static_cast<int>(WallpaperMode::Span); ++m) {
        platform::MemoryRegistry registry;
        const auto values = platform::RegistryValuesFor(static_cast<WallpaperMode>(m));
        registry.WriteString(platform::RootKey::CurrentUser, platform::kDesktopKey, "WallpaperStyle", values.style);
        registry.WriteString(platform::RootKey::CurrentUser, platform::kDesktopKey, "TileWallPaper", values.tile);
        EXPECT_EQ(static_cast<int>(WallpaperModeOf(registry)), m);
    }
}
