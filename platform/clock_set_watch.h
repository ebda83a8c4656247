// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Tells when the wall clock jumps: the system clock was set, or the machine
// resumed from suspend. The clock's tick sleeps until the next minute and
// uses this to show the new time at once.

#include <functional>

namespace platform {

class ClockSetWatch {
public:
    virtual ~ClockSetWatch() = default;
    // `handler` runs on the window's thread after each jump; it replaces the
    // handler given before. A backend that cannot watch never calls it.
    virtual void OnClockSet(std::function<void()> handler) = 0;
};

// A watch that never calls: for callers that have no watch to give.
inline ClockSetWatch& NoClockSetWatch()
{
    struct Never : ClockSetWatch {
        void OnClockSet(std::function<void()>) override {}
    };
    static Never never;
    return never;
}

}  // namespace platform
