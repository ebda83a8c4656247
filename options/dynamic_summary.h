// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the image picker says under the preview of a dynamic wallpaper: how
// many pictures it has and what it follows (the sun at a place, the time of
// day, day and night, or a timed loop).

#include "base/sun/dynamic_schedule.h"

#include <optional>
#include <string>

struct DynamicSummary {
    DynamicSchedule::Kind kind = DynamicSchedule::Kind::DayTimes;
    int pictures = 0;
    // "35.7° N 139.7° E" for what follows the sun; empty otherwise.
    std::string place;
};

// Nothing for a file that is no dynamic wallpaper or whose schedule is refused.
std::optional<DynamicSummary> SummariseDynamicWallpaper(const std::string& path);
