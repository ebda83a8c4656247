// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Tells when the system's time zone changes (the local time jumps without the
// clock being set). The clock's tick sleeps until the next minute and uses
// this, as it uses the clock-set watch, to show the new time at once.

#include <functional>

namespace platform {

class TimeZoneWatch {
public:
    virtual ~TimeZoneWatch() = default;
    // `handler` runs on the window's thread after each change, once the local
    // time reads in the new zone; it replaces the handler given before. A
    // backend that cannot watch never calls it.
    virtual void OnZoneChanged(std::function<void()> handler) = 0;
};

// A watch that never calls: for callers that have no watch to give.
inline TimeZoneWatch& NoTimeZoneWatch()
{
    struct Never : TimeZoneWatch {
        void OnZoneChanged(std::function<void()>) override {}
    };
    static Never never;
    return never;
}

}  // namespace platform
