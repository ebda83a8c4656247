// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The time zone's place on Linux: the zone named by TZ, else /etc/timezone,
// else the link /etc/localtime, looked up in zone1970.tab (else zone.tab)
// under the zoneinfo folder (TZDIR, else /usr/share/zoneinfo). Asked anew each
// time, so a changed time zone moves the place.

#include "platform/time_zone_place.h"

#include <string>

namespace platform {

class ZoneTabTimeZonePlace : public TimeZonePlace {
public:
    // The folders are the system's; tests give their own.
    explicit ZoneTabTimeZonePlace(std::string etcFolder = "/etc", std::string zoneinfoFolder = {});
    std::optional<GeoPlace> Place() const override;

private:
    std::string etcFolder_;
    std::string zoneinfoFolder_;
};

}  // namespace platform
