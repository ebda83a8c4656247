// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/linux/system/timerfd_clock_set_watch.h"

#include <QSocketNotifier>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <ctime>
#include <limits>
#include <sys/timerfd.h>
#include <unistd.h>

namespace platform {

namespace {

// An absolute expiry far beyond any real or faked date (about the year 2223).
constexpr long long kFarFutureSeconds = 8'000'000'000LL;

}  // namespace

TimerfdClockSetWatch::TimerfdClockSetWatch()
{
    fd_ = ::timerfd_create(CLOCK_REALTIME, TFD_CLOEXEC | TFD_NONBLOCK);
    if (fd_ < 0)
        return;
    if (!Arm()) {
        ::close(fd_);
        fd_ = -1;
        return;
    }
    notifier_ = std::make_unique<QSocketNotifier>(fd_, QSocketNotifier::Read);
    QObject::connect(notifier_.get(), &QSocketNotifier::activated, [this] { Activated(); });
}

TimerfdClockSetWatch::~TimerfdClockSetWatch()
{
    notifier_.reset();
    if (fd_ >= 0)
        ::close(fd_);
}

void TimerfdClockSetWatch::OnClockSet(std::function<void()> handler)
{
    handler_ = std::move(handler);
}

bool TimerfdClockSetWatch::Arm()
{
    itimerspec expiry{};
    expiry.it_value.tv_sec = static_cast<time_t>(
        std::min<long long>(kFarFutureSeconds, std::numeric_limits<time_t>::max()));
    return ::timerfd_settime(fd_, TFD_TIMER_ABSTIME | TFD_TIMER_CANCEL_ON_SET, &expiry, nullptr) == 0;
}

void TimerfdClockSetWatch::Activated()
{
    std::uint64_t expirations = 0;
    const ssize_t n = ::read(fd_, &expirations, sizeof expirations);
    const bool jumped = n < 0 && errno == ECANCELED;
    // A cancelled timer stays readable until it is armed again.
    if (!Arm()) {
        notifier_->setEnabled(false);
        return;
    }
    if (jumped && handler_)
        handler_();
}

}  // namespace platform
