// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Tells when the local time jumps without the clock's tick seeing it go by.
// The tick sleeps until the next minute and uses each kind of jump to show
// the new time at once. There are two kinds, one watch each:
//  - ClockSetWatch: the system clock was set, or the machine resumed from
//    suspend;
//  - TimeZoneWatch: the system's time zone changed (the local time jumps
//    without the clock being set).
// `Kind` only keeps the kinds apart, so a watch of one is never handed as the
// other.

#include <functional>

namespace platform {

template <class Kind>
class ClockJumpWatch {
public:
    virtual ~ClockJumpWatch() = default;
    // `handler` runs on the window's thread after each jump, once the local
    // time reads the new way; it replaces the handler given before. A backend
    // that cannot watch never calls it.
    virtual void OnJump(std::function<void()> handler) = 0;
};

struct ClockSet;
struct TimeZoneChange;
using ClockSetWatch = ClockJumpWatch<ClockSet>;
using TimeZoneWatch = ClockJumpWatch<TimeZoneChange>;

// A watch that never calls: for callers that have no watch to give.
template <class Kind>
ClockJumpWatch<Kind>& NoClockJumpWatch()
{
    struct Never : ClockJumpWatch<Kind> {
        void OnJump(std::function<void()>) override {}
    };
    static Never never;
    return never;
}

}  // namespace platform
