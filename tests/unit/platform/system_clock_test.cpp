// SPDX-License-Identifier: GPL-3.0-or-later
// The system clock follows a change of time zone while the program runs.

#include "platform/linux/system/system_clock.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <ctime>

TEST(SystemClock, FollowsATimeZoneChangeWhileRunning)
{
    const char* old = std::getenv("TZ");
    const std::string saved = old ? old : "";
    platform::SystemClock clock(0);  // look the zone up again on every call
    setenv("TZ", "UTC0", 1);
    const TDateTime utc = clock.Now();
    setenv("TZ", "JST-9", 1);  // no tzset here: the clock must look again itself
    const TDateTime tokyo = clock.Now();
    if (old)
        setenv("TZ", saved.c_str(), 1);
    else
        unsetenv("TZ");
    tzset();
    EXPECT_NEAR(tokyo - utc, 9.0 / 24.0, 2.0 / 86400.0);
}
