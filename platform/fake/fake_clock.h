// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A clock that shows whatever the test sets.

#include "platform/clock.h"

namespace platform {

class FakeClock : public Clock {
public:
    explicit FakeClock(TDateTime now = 0) : now_(now) {}
    TDateTime Now() const override { return now_; }
    void Set(TDateTime now) { now_ = now; }
    void Advance(TDateTime delta) { now_ += delta; }

private:
    TDateTime now_;
};

}  // namespace platform
