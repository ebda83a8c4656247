// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Clock-jump watches the test fires by hand.

#include "platform/clock_jump_watch.h"

namespace platform {

template <class Kind>
class FakeClockJumpWatch : public ClockJumpWatch<Kind> {
public:
    void OnJump(std::function<void()> handler) override { handler_ = std::move(handler); }
    // As if the clock had jumped (set by hand, or a new time zone).
    void Fire()
    {
        if (handler_)
            handler_();
    }

private:
    std::function<void()> handler_;
};

using FakeClockSetWatch = FakeClockJumpWatch<ClockSet>;
using FakeTimeZoneWatch = FakeClockJumpWatch<TimeZoneChange>;

}  // namespace platform
