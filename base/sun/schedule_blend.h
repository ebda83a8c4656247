// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Which two pictures of a dynamic wallpaper make the picture of a moment,
// and how far the moment has moved from the first to the second.
#include "base/sun/dynamic_schedule.h"
#include "base/sun/sun_position.h"

#include <vector>

// Shows `first` faded towards `second` by `fraction` (0 is `first` alone,
// 1 would be `second` alone); a still picture has both the same.
struct PictureBlend {
    int first = 0;
    int second = 0;
    double fraction = 0;
};

// The moment is `unixSeconds` (UTC); `utcOffsetSeconds` turns it into local
// time, which decides the day and the times of day; `place` is where the sun
// is looked at (only sun and light/dark schedules use it). A schedule
// without pictures gives picture 0.
PictureBlend BlendAt(const DynamicSchedule& schedule, double unixSeconds, int utcOffsetSeconds, const GeoPlace& place);

// The times of the local day that holds the moment at which a sun schedule's
// pictures show: each where the sun stands nearest the picture's altitude on
// its side of noon. Where the sun neither rises nor sets that day, the light
// picture by polar day and the dark one by polar night, or with no such pair
// every picture in turn over an even spread of the day.
std::vector<TimedPicture> SunTimesOfDay(const DynamicSchedule& schedule, double unixSeconds, int utcOffsetSeconds,
                                        const GeoPlace& place);
