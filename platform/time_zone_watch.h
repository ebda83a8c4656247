// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Tells when the system's time zone changes (the local time jumps without the
// clock being set).

#include "platform/clock_jump_watch.h"

namespace platform {

struct TimeZoneChange;
using TimeZoneWatch = ClockJumpWatch<TimeZoneChange>;

inline TimeZoneWatch& NoTimeZoneWatch()
{
    return NoClockJumpWatch<TimeZoneChange>();
}

}  // namespace platform
