// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// When the clock's next tick comes. The face, the time signals and the
// wallpaper due test change only at a minute boundary, so the tick sleeps
// until a few milliseconds after the next one: at rest the clock wakes once a
// minute. While a due wallpaper minute is failing, the tick comes every
// kRetryTickMs until that minute ends. When the system clock is set, the
// machine resumes, the time zone changes or a command makes a wallpaper change
// due, the window ticks at once and plans again from there.

#include "base/date_time.h"

// How long after a minute boundary its tick comes, so that a timer that
// fires a little early or a clock read a little late still sees the new minute.
constexpr int kTickAfterBoundaryMs = 10;
constexpr int kRetryTickMs = 450;

// Milliseconds from a tick that began at `tickStarted` and ends at `now` to
// the next tick. A minute that began while the tick worked (a slow wallpaper
// change) is shown at once: the delay is then 0.
// `retryingWallMinute`: a due wallpaper minute is failing and tries again.
int NextTickDelayMs(TDateTime tickStarted, TDateTime now, bool retryingWallMinute);
