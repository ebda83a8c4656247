// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/linux/system/system_clock.h"

#include <sys/time.h>

namespace platform {

TDateTime SystemClock::Now() const
{
    // localtime_r keeps the zone it first read; tzset looks again.
    timespec mono{};
    clock_gettime(CLOCK_MONOTONIC_COARSE, &mono);
    if (!zoneRead_ || mono.tv_sec - lastZoneCheck_.tv_sec >= zoneRecheckSeconds_) {
        tzset();
        zoneRead_ = true;
        lastZoneCheck_ = mono;
    }
    timeval tv{};
    gettimeofday(&tv, nullptr);
    std::tm local{};
    const time_t seconds = tv.tv_sec;
    localtime_r(&seconds, &local);
    return EncodeDateTime({local.tm_year + 1900, local.tm_mon + 1, local.tm_mday},
                          {local.tm_hour, local.tm_min, local.tm_sec, static_cast<int>(tv.tv_usec / 1000)});
}

int SystemClock::UtcOffsetSeconds() const
{
    Now();  // the zone looked at again when due
    const time_t seconds = time(nullptr);
    std::tm local{};
    localtime_r(&seconds, &local);
    return static_cast<int>(local.tm_gmtoff);
}

}  // namespace platform
