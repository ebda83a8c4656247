// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The place of a time zone as the time zone database's tables give it
// (zone1970.tab, zone.tab: country codes, coordinates, zone name and a
// comment, tab-separated; the coordinates as +DDMM+DDDMM or +DDMMSS+DDDMMSS).

#include "base/sun/sun_position.h"

#include <optional>
#include <string>
#include <string_view>

// The coordinates of `zoneName` in the table's text; nothing when the zone is
// not in it or its line is damaged.
std::optional<GeoPlace> ZonePlaceInTable(std::string_view table, std::string_view zoneName);

// The zone name in a TZ value (":Asia/Tokyo", "Asia/Tokyo") or in the target
// of /etc/localtime ("/usr/share/zoneinfo/Asia/Tokyo", "../zoneinfo/posix/
// Asia/Tokyo"); empty for a file outside the database or a text that cannot
// be a zone's name. A POSIX rule ("JST-9") comes back as it is and is found in
// no table.
std::string ZoneNameFrom(std::string_view text);

// "35.7° N 139.7° E": the place as people read it, to a tenth of a degree.
std::string PlaceText(const GeoPlace& place);
