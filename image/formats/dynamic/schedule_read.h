// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A dynamic wallpaper's schedule as read from a file, or why it was refused.

#include "base/sun/dynamic_schedule.h"

#include <optional>
#include <string>

struct ScheduleRead {
    std::optional<DynamicSchedule> Schedule;
    std::string Reason;  // why it was refused; empty when read

    static ScheduleRead Refused(std::string reason)
    {
        ScheduleRead r;
        r.Reason = std::move(reason);
        return r;
    }
};
