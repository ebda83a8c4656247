// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// When the clock's next tick comes. The face, the time signals and the
// wallpaper due test change only at a minute boundary, so the tick sleeps
// until a few milliseconds after the next one. It never sleeps longer than
// kMaxTickWaitMs: a clock that moves without notice (a change of time zone, a
// clock moved under a test) shows within that time. While a due wallpaper
// minute is failing, the tick comes every kRetryTickMs until that minute ends.
// When the system clock is set or the machine resumes, the window ticks at
// once and plans again from there.

#include "base/date_time.h"

// How long after a minute boundary its tick comes, so that a timer that
// fires a little early or a clock read a little late still sees the new minute.
constexpr int kTickAfterBoundaryMs = 10;
constexpr int kMaxTickWaitMs = 30000;
constexpr int kRetryTickMs = 450;

// Milliseconds from a tick that ends at `now` to the next tick.
// `retryingWallMinute`: a due wallpaper minute is failing and tries again.
// A wait longer than kMaxTickWaitMs is cut into equal parts, so the last part
// ends on the boundary and no two ticks come close together.
int NextTickDelayMs(TDateTime now, bool retryingWallMinute);
