// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// How often the rotation tells the user of a file it could not show. The
// rotation runs unattended and tries another file on every tick of a due
// minute whose files fail, so telling each failure would open one box after
// another: the first failure of a minute is shown, the further failures of
// that minute only logged. A file the user chose is told every time; this
// rule is not asked then.

#include "base/date_time.h"

#include <cstdint>
#include <optional>

class FailureNoticeRule {
public:
    // True for the first failure in the minute of `now` (the date counts, so
    // the same minute of another hour is a new one); false for the later ones.
    bool ShowFailure(TDateTime now);

private:
    std::optional<std::int64_t> shownMinute_;
};
