// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The moment a dynamic wallpaper read through the format table is shown for:
// the time as the sun sees it and the place. The program hands in its clock
// and its place once at start-up; until then it is now (UTC) at 0° N 0° E.

#include "base/date_time.h"
#include "base/sun/sun_position.h"

#include <functional>
#include <optional>

// UTC seconds since 1970, the local time's offset from UTC, and the place.
struct DynamicMoment {
    double unixSeconds = 0;
    int utcOffsetSeconds = 0;
    GeoPlace place;
};

// The moment of a local time `localNow` at `utcOffsetSeconds` from UTC.
DynamicMoment MomentAt(TDateTime localNow, int utcOffsetSeconds, const GeoPlace& place);

// Where the sun is looked at: the settings' place, else the time zone's, else
// on the equator at the longitude the offset from UTC stands for.
GeoPlace PlaceForTheSun(const std::optional<GeoPlace>& settingsPlace, const std::optional<GeoPlace>& zonePlace,
                        int utcOffsetSeconds);

using DynamicMomentSource = std::function<DynamicMoment()>;

DynamicMoment CurrentDynamicMoment();
// Set before any picture is read (the readers may run on other threads).
void SetDynamicMomentSource(DynamicMomentSource source);
