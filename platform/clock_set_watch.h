// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Tells when the wall clock jumps: the system clock was set, or the machine
// resumed from suspend.

#include "platform/clock_jump_watch.h"

namespace platform {

struct ClockSet;
using ClockSetWatch = ClockJumpWatch<ClockSet>;

inline ClockSetWatch& NoClockSetWatch()
{
    return NoClockJumpWatch<ClockSet>();
}

}  // namespace platform
