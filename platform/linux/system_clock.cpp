#include "platform/linux/system_clock.h"

#include <ctime>
#include <sys/time.h>

namespace platform {

TDateTime SystemClock::Now() const
{
    timeval tv{};
    gettimeofday(&tv, nullptr);
    // localtime_r alone keeps the zone it first read; tzset looks again (a
    // cheap stat when nothing changed), so a time-zone change shows at once.
    tzset();
    std::tm local{};
    const time_t seconds = tv.tv_sec;
    localtime_r(&seconds, &local);
    return EncodeDateTime({local.tm_year + 1900, local.tm_mon + 1, local.tm_mday},
                          {local.tm_hour, local.tm_min, local.tm_sec, static_cast<int>(tv.tv_usec / 1000)});
}

}  // namespace platform
