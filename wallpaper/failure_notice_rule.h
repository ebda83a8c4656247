// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// How often the rotation tells the user of a file it could not show. The
// rotation runs unattended and tries another file on every tick of a due
// minute whose files fail, and comes back to a broken file at every round,
// so telling each failure would open one box after another and fill the log:
// a file is told once a day (one box, one log line), and of the files that
// fail in one minute only the first gets a box. A file the user chose is
// told every time; this rule is not asked then.

#include "base/date_time.h"

#include <cstdint>
#include <optional>
#include <set>
#include <string>

class FailureNoticeRule {
public:
    // True for the first failure in the minute of `now` (the date counts, so
    // the same minute of another hour is a new one); false for the later ones.
    bool ShowFailure(TDateTime now);

    // True the first time `file` is logged on the day of `now`.
    bool LogToday(const std::string& file, TDateTime now);
    // True when `file` has had its box on the day of `now`; MarkBoxed
    // records that it has.
    bool BoxedToday(const std::string& file, TDateTime now);
    void MarkBoxed(const std::string& file, TDateTime now);

private:
    // Starts the day of `now` afresh when the day changed.
    void KeepDay(TDateTime now);

    std::optional<std::int64_t> shownMinute_;
    std::optional<std::int64_t> day_;
    std::set<std::string> logged_;
    std::set<std::string> boxed_;
};
