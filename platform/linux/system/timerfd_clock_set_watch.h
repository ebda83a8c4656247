// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Clock jumps through a CLOCK_REALTIME timerfd armed with cancel-on-set: the
// kernel cancels it when the system clock is set and when the machine
// resumes, which wakes the window's event loop once. The timer's own expiry
// lies centuries away, so it costs no wake-up of its own, also when the
// process runs under a faked clock.

#include "platform/clock_jump_watch.h"
#include "platform/linux/system/fd_watch.h"

namespace platform {

class TimerfdClockSetWatch : public ClockSetWatch {
public:
    TimerfdClockSetWatch();

    void OnJump(std::function<void()> handler) override { watch_.SetHandler(std::move(handler)); }
    // False when the timer could not be made (then the handler never runs).
    bool Watching() const { return watch_.Watching(); }

private:
    bool Arm(int fd);
    bool Jumped();

    FdWatch watch_;
};

}  // namespace platform
