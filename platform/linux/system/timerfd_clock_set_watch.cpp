// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/linux/system/timerfd_clock_set_watch.h"

#include <sys/timerfd.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <ctime>
#include <limits>

namespace platform {

namespace {

// An absolute expiry far beyond any real or faked date (about the year 2223).
constexpr long long kFarFutureSeconds = 8'000'000'000LL;

}  // namespace

TimerfdClockSetWatch::TimerfdClockSetWatch()
{
    int fd = ::timerfd_create(CLOCK_REALTIME, TFD_CLOEXEC | TFD_NONBLOCK);
    if (fd >= 0 && !Arm(fd)) {
        ::close(fd);
        fd = -1;
    }
    watch_.Watch(fd, [this] { return Jumped(); });
}

bool TimerfdClockSetWatch::Arm(int fd)
{
    itimerspec expiry{};
    expiry.it_value.tv_sec = static_cast<time_t>(
        std::min<long long>(kFarFutureSeconds, std::numeric_limits<time_t>::max()));
    return ::timerfd_settime(fd, TFD_TIMER_ABSTIME | TFD_TIMER_CANCEL_ON_SET, &expiry, nullptr) == 0;
}

bool TimerfdClockSetWatch::Jumped()
{
    std::uint64_t expirations = 0;
    const ssize_t n = ::read(watch_.Fd(), &expirations, sizeof expirations);
    const bool jumped = n < 0 && errno == ECANCELED;
    // A cancelled timer stays readable until it is armed again.
    if (!Arm(watch_.Fd())) {
        watch_.Stop();
        return false;
    }
    return jumped;
}

}  // namespace platform
