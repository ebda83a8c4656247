// SPDX-License-Identifier: GPL-3.0-or-later
#include "wallpaper/wall_schedule.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr TDateTime kMinute = 1.0 / kMinutesPerDay;
constexpr TDateTime kHour = 1.0 / 24.0;

// Whole minutes since the epoch; the value is rounded to the millisecond first
// so 10:39:00 stored as 10:38:59.9999999 is still in minute 10:39.
long long MinuteIndex(TDateTime value)
{
    const double ms = std::round(value * kMsPerDay);
    return static_cast<long long>(std::floor(ms / 60000.0));
}

}  // namespace

TDateTime MinuteStart(TDateTime value)
{
    return static_cast<double>(MinuteIndex(value)) * kMinute;
}

TDateTime EffectiveWallInterval(TDateTime interval)
{
    // Compared in milliseconds so 0:01:00 read from the file counts as a minute.
    return std::round(interval * kMsPerDay) < 60000.0 ? kMinute : interval;
}

void WallSchedule::Start(TDateTime now, bool changeAtStart)
{
    trying_ = false;
    NextWallChange = changeAtStart ? now : now - kMinute + kHour;
}

bool WallSchedule::IsDue(TDateTime now, TDateTime interval)
{
    if (trying_ && MinuteIndex(now) != MinuteIndex(tryMinute_)) {
        // The tries of that minute are over without a wallpaper.
        trying_ = false;
        NextWallChange = std::max(NextWallChange, tryMinute_ + EffectiveWallInterval(interval));
    }
    return MinuteIndex(now) >= MinuteIndex(NextWallChange);
}

void WallSchedule::Applied(TDateTime now, TDateTime interval)
{
    trying_ = false;
    NextWallChange = now + EffectiveWallInterval(interval);
}

void WallSchedule::Failed(TDateTime now)
{
    if (!trying_) {
        trying_ = true;
        tryMinute_ = MinuteStart(now);
    }
}

bool WallSchedule::Retrying(TDateTime now) const
{
    return trying_ && MinuteIndex(now) == MinuteIndex(tryMinute_);
}

void WallSchedule::NothingToTry(TDateTime now, TDateTime interval)
{
    trying_ = false;
    NextWallChange = MinuteStart(now) + EffectiveWallInterval(interval);
}

void WallSchedule::Resume(TDateTime now)
{
    trying_ = false;
    if (MinuteIndex(NextWallChange) >= MinuteIndex(now))
        return;
    const long long behind = MinuteIndex(now) - MinuteIndex(NextWallChange);
    NextWallChange += static_cast<double>((behind + 59) / 60) * kHour;
}

void WallSchedule::ChangeNow(TDateTime now)
{
    trying_ = false;
    NextWallChange = now;
}
