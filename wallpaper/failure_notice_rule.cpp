// SPDX-License-Identifier: GPL-3.0-or-later
#include "wallpaper/failure_notice_rule.h"

#include <cmath>

bool FailureNoticeRule::ShowFailure(TDateTime now)
{
    // Half a millisecond on, so a time a hair under a whole minute counts in
    // that minute, as its clock text does.
    const auto minute = static_cast<std::int64_t>(std::floor(now * kMinutesPerDay + 0.5 / 60000.0));
    if (shownMinute_ == minute)
        return false;
    shownMinute_ = minute;
    return true;
}
