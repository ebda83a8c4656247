// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What one clock tick does for the rotation.

#include "base/clock_settings.h"
#include "wallpaper/wall_applier.h"
#include "wallpaper/wall_rotation.h"
#include "wallpaper/wall_schedule.h"

#include <functional>
#include <string>

using WallApplyFunction = std::function<WallApplier::Outcome(const std::string& file)>;

// When the rotation runs (switched on and not paused) and a change is due,
// picks the next file and applies it. A file that fails leaves the change due
// so the next tick tries another, passing the failed ones over; no file left
// to try ends the tries at once. True when a step was taken.
bool WallpaperDueStep(WallSchedule& schedule, WallRotation& rotation, const ClockSettings& settings,
                      bool rotationRunning, TDateTime now, const WallApplyFunction& apply);
