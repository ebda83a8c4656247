// SPDX-License-Identifier: GPL-3.0-or-later
#include "wallpaper/failure_notice_rule.h"

#include <cmath>

namespace {

// Half a millisecond on, so a time a hair under a whole minute counts in
// that minute, as its clock text does.
constexpr double kHalfMs = 0.5 / kMsPerDay;

}  // namespace

bool FailureNoticeRule::ShowFailure(TDateTime now)
{
    const auto minute = static_cast<std::int64_t>(std::floor((now + kHalfMs) * kMinutesPerDay));
    if (shownMinute_ == minute)
        return false;
    shownMinute_ = minute;
    return true;
}

void FailureNoticeRule::KeepDay(TDateTime now)
{
    const auto day = static_cast<std::int64_t>(std::floor(now + kHalfMs));
    if (day_ == day)
        return;
    day_ = day;
    logged_.clear();
    boxed_.clear();
}

bool FailureNoticeRule::LogToday(const std::string& file, TDateTime now)
{
    KeepDay(now);
    return logged_.insert(file).second;
}

bool FailureNoticeRule::BoxedToday(const std::string& file, TDateTime now)
{
    KeepDay(now);
    return boxed_.count(file) > 0;
}

void FailureNoticeRule::MarkBoxed(const std::string& file, TDateTime now)
{
    KeepDay(now);
    boxed_.insert(file);
}
