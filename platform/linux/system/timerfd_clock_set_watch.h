// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Clock jumps through a CLOCK_REALTIME timerfd armed with cancel-on-set: the
// kernel cancels it when the system clock is set and when the machine
// resumes, which wakes the window's event loop once. The timer's own expiry
// lies centuries away, so it costs no wake-up of its own, also when the
// process runs under a faked clock.

#include "platform/clock_set_watch.h"

#include <memory>

class QSocketNotifier;

namespace platform {

class TimerfdClockSetWatch : public ClockSetWatch {
public:
    TimerfdClockSetWatch();
    ~TimerfdClockSetWatch() override;
    TimerfdClockSetWatch(const TimerfdClockSetWatch&) = delete;
    TimerfdClockSetWatch& operator=(const TimerfdClockSetWatch&) = delete;

    void OnClockSet(std::function<void()> handler) override;
    // False when the timer could not be made (then the handler never runs).
    bool Watching() const { return notifier_ != nullptr; }

private:
    bool Arm();
    void Activated();

    int fd_ = -1;
    std::function<void()> handler_;
    std::unique_ptr<QSocketNotifier> notifier_;
};

}  // namespace platform
