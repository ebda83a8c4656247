#pragma once
// The system's local time (follows time zone changes and clock jumps at once).

#include "platform/clock.h"

namespace platform {

class SystemClock : public Clock {
public:
    TDateTime Now() const override;
};

}  // namespace platform
