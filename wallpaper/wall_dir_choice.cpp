// SPDX-License-Identifier: GPL-3.0-or-later
#include "wallpaper/wall_dir_choice.h"

#include <cmath>

namespace {

// Times compared in whole milliseconds, so a stored 0.375 and the clock's
// 09:00:00.000 agree although the doubles may differ in the last bit.
long long Ms(TDateTime v)
{
    return std::llround(v * kMsPerDay);
}

}  // namespace

bool InWallWindow(bool sw, TDateTime start, TDateTime end, TDateTime timeOfDay)
{
    return sw && Ms(start) <= Ms(timeOfDay) && Ms(timeOfDay) < Ms(end);
}

const std::string& ChooseWallDir(const ClockSettings& settings, TDateTime now)
{
    // The time of day re-encoded from its parts: the date is dropped.
    const TimeParts t = DecodeTime(now);
    const TDateTime timeOfDay = EncodeTime(t.hour, t.minute, t.second, t.millisecond);
    if (InWallWindow(settings.WallDir2Sw, settings.WallDir2StartTime, settings.WallDir2EndTime, timeOfDay))
        return settings.WallDir2;
    if (InWallWindow(settings.WallDir3Sw, settings.WallDir3StartTime, settings.WallDir3EndTime, timeOfDay))
        return settings.WallDir3;
    return settings.WallDir1;
}
