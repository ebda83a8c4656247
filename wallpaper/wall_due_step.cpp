// SPDX-License-Identifier: GPL-3.0-or-later
#include "wallpaper/wall_due_step.h"

bool WallpaperDueStep(WallSchedule& schedule, WallRotation& rotation, const ClockSettings& settings,
                      bool rotationRunning, TDateTime now, const WallApplyFunction& apply)
{
    if (!rotationRunning || !schedule.IsDue(now, settings.WallInterval))
        return false;
    const std::string file = rotation.NextWallFile(settings, now);
    if (file.empty()) {
        // No directory or no image in it: nothing to show and nothing to
        // report. The empty list is read again at the next due step.
        schedule.NothingToTry(now, settings.WallInterval);
        return true;
    }
    const WallApplier::Outcome outcome = apply(file);
    // The next tick of the minute tries another file, not this one again.
    if (outcome == WallApplier::Outcome::Failed) {
        rotation.Failed(file, now);
        schedule.Failed(now);
    }
    // Too little memory: another file would need as much, so the tries of
    // this minute end and the next comes one interval later.
    if (outcome == WallApplier::Outcome::NoMemory)
        schedule.NothingToTry(now, settings.WallInterval);
    return true;
}
