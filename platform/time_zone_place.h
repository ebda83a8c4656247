// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Where the system's time zone lies, as the time zone database places it:
// where dynamic wallpapers look at the sun when the settings name no place.

#include "base/sun/sun_position.h"

#include <optional>

namespace platform {

class TimeZonePlace {
public:
    virtual ~TimeZonePlace() = default;
    // Nothing for a zone the database does not place (UTC, a POSIX rule) or without the database.
    virtual std::optional<GeoPlace> Place() const = 0;
};

}  // namespace platform
