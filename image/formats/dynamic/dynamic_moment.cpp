// SPDX-License-Identifier: GPL-3.0-or-later
#include "image/formats/dynamic/dynamic_moment.h"

#include <algorithm>
#include <chrono>

namespace {

DynamicMomentSource& Source()
{
    static DynamicMomentSource source;
    return source;
}

}  // namespace

DynamicMoment CurrentDynamicMoment()
{
    if (Source()) {
        return Source()();
    }
    const auto now = std::chrono::system_clock::now().time_since_epoch();
    return DynamicMoment{std::chrono::duration<double>(now).count(), 0, GeoPlace{}};
}

DynamicMoment MomentAt(TDateTime localNow, int utcOffsetSeconds, const GeoPlace& place)
{
    // TDateTime counts days from 1899-12-30, 25569 days before 1970-01-01.
    constexpr double kUnixEpoch = 25569.0;
    return DynamicMoment{(localNow - kUnixEpoch) * 86400.0 - utcOffsetSeconds, utcOffsetSeconds, place};
}

GeoPlace PlaceForTheSun(const std::optional<GeoPlace>& settingsPlace, const std::optional<GeoPlace>& zonePlace,
                        int utcOffsetSeconds)
{
    if (settingsPlace) {
        return *settingsPlace;
    }
    if (zonePlace) {
        return *zonePlace;
    }
    // An hour east of UTC is 15 degrees of longitude.
    const double longitude = std::clamp(utcOffsetSeconds / 240.0, -180.0, 180.0);
    return GeoPlace{0, longitude};
}

void SetDynamicMomentSource(DynamicMomentSource source)
{
    Source() = std::move(source);
}
