// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The system's local time. Clock jumps show at once; a change of time zone
// shows at once when the time-zone watch re-reads the zone, and otherwise
// within `zoneRecheckSeconds` (the zone is looked up again at most that often,
// since the look-up costs a file-system walk on every call).

#include "platform/clock.h"

#include <ctime>

namespace platform {

class SystemClock : public Clock {
public:
    explicit SystemClock(int zoneRecheckSeconds = 30) : zoneRecheckSeconds_(zoneRecheckSeconds) {}
    TDateTime Now() const override;
    int UtcOffsetSeconds() const override;

private:
    int zoneRecheckSeconds_;
    mutable bool zoneRead_ = false;
    mutable timespec lastZoneCheck_{};
};

}  // namespace platform
