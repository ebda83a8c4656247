// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A clock-set watch the test fires by hand.

#include "platform/clock_set_watch.h"

namespace platform {

class FakeClockSetWatch : public ClockSetWatch {
public:
    void OnClockSet(std::function<void()> handler) override { handler_ = std::move(handler); }
    // As if the system clock had been set.
    void Fire()
    {
        if (handler_)
            handler_();
    }

private:
    std::function<void()> handler_;
};

}  // namespace platform
