// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// One running copy per executable file name. The first copy holds the guard
// until it ends (a crashed copy leaves nothing behind); a later start asks it
// to bring its window forward and ends.

#include <functional>

namespace platform {

class InstanceGuard {
public:
    virtual ~InstanceGuard() = default;
    // Takes the guard. True when this copy is the only one (also when the
    // guard cannot be made at all); false when another copy holds it.
    virtual bool Acquire() = 0;
    // From a later copy: asks the running one to bring its window forward.
    // Returns at once; false when the running copy could not be reached.
    virtual bool BringRunningCopyForward() = 0;
    // In the running copy: `handler` runs on the window's thread whenever a
    // later copy asks. Only after a successful Acquire.
    virtual void OnForwardRequest(std::function<void()> handler) = 0;
};

}  // namespace platform
