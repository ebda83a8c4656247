// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The schedule a dynamic HEIC file keeps in the XMP of its primary picture:
// the property `apple_desktop:solar`, `apple_desktop:h24` or
// `apple_desktop:apr` (as an attribute or an element), whose value is a
// base64 binary property list. The sun's schedule is taken first where a
// file holds more than one.

#include "base/sun/dynamic_schedule.h"

#include <optional>
#include <string>
#include <string_view>

struct XmpSchedule {
    DynamicSchedule::Kind Kind = DynamicSchedule::Kind::DayTimes;
    std::string Base64;
};

std::optional<XmpSchedule> FindScheduleInXmp(std::string_view xmp);
