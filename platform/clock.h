// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The current local date and time. Every part of the program asks this
// service, never the system directly, so tests can set the time.

#include "base/date_time.h"

namespace platform {

class Clock {
public:
    virtual ~Clock() = default;
    // Now, in local time, to the millisecond.
    virtual TDateTime Now() const = 0;
    // How far local time is ahead of UTC now, in seconds (32400 in Tokyo);
    // 0 where the clock knows no zone.
    virtual int UtcOffsetSeconds() const { return 0; }
};

}  // namespace platform
