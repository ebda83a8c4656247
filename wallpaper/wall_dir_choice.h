// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The directory the rotation draws from at a time of day: WallDir2 inside its
// window, else WallDir3 inside its window, else WallDir1. A window holds from
// its start (inclusive) to its end (exclusive); one whose start is not before
// its end never holds, so no window runs across midnight.

#include "base/clock_settings.h"

#include <string>

// True when the switch is on and start <= timeOfDay < end.
bool InWallWindow(bool sw, TDateTime start, TDateTime end, TDateTime timeOfDay);

// The directory string for `now` (a full date-time; only its time of day counts).
const std::string& ChooseWallDir(const ClockSettings& settings, TDateTime now);
