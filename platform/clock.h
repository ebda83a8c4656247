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
};

}  // namespace platform
