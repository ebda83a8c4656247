// SPDX-License-Identifier: GPL-3.0-or-later
#include "options/dynamic_summary.h"

#include "base/sun/zone_place.h"
#include "image/formats/dynamic/dynamic_wallpaper.h"

std::optional<DynamicSummary> SummariseDynamicWallpaper(const std::string& path)
{
    const DynamicWallpaperRead read = ReadDynamicWallpaper(path);
    if (!read.Wallpaper) {
        return std::nullopt;
    }
    const DynamicSchedule& schedule = read.Wallpaper->Schedule;
    DynamicSummary summary{schedule.kind, schedule.pictureCount, {}};
    if (schedule.kind == DynamicSchedule::Kind::Sun || schedule.kind == DynamicSchedule::Kind::LightDark) {
        summary.place = PlaceText(CurrentDynamicMoment().place);
    }
    return summary;
}
