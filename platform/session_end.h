// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The end of the user's session or of the program from outside (log-off,
// shut-down, a termination signal).

#include <functional>

namespace platform {

class SessionEnd {
public:
    virtual ~SessionEnd() = default;
    // `handler` runs on the window's thread when the session or the process is
    // being ended; the program should save and end.
    virtual void OnEnd(std::function<void()> handler) = 0;
};

}  // namespace platform
