// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A time-zone watch the test fires by hand.

#include "platform/time_zone_watch.h"

namespace platform {

class FakeTimeZoneWatch : public TimeZoneWatch {
public:
    void OnZoneChanged(std::function<void()> handler) override { handler_ = std::move(handler); }
    // As if the system's time zone had been changed.
    void Fire()
    {
        if (handler_)
            handler_();
    }

private:
    std::function<void()> handler_;
};

}  // namespace platform
