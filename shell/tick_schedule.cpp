// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/tick_schedule.h"

#include <algorithm>
#include <cmath>

namespace {

// The millisecond of the minute that holds `now`, 0..59999; rounded to the
// millisecond first, as the face's minute is.
long long MillisecondOfMinute(TDateTime now)
{
    const long long ms = std::llround(now * kMsPerDay);
    const long long of = ms % 60000;
    return of < 0 ? of + 60000 : of;
}

// The minute that holds `now`, counted from the epoch of TDateTime.
long long MinuteOf(TDateTime now)
{
    const long long ms = std::llround(now * kMsPerDay);
    return (ms - MillisecondOfMinute(now)) / 60000;
}

}  // namespace

int NextTickDelayMs(TDateTime tickStarted, TDateTime now, bool retryingWallMinute)
{
    if (MinuteOf(now) != MinuteOf(tickStarted))
        return 0;
    const long long untilBoundary = 60000 - MillisecondOfMinute(now) + kTickAfterBoundaryMs;
    if (retryingWallMinute)
        return static_cast<int>(std::min<long long>(kRetryTickMs, untilBoundary));
    return static_cast<int>(untilBoundary);
}
