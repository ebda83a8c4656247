// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Starts other programs for the user, detached from this one.

#include <string>
#include <vector>

namespace platform {

class Launcher {
public:
    virtual ~Launcher() = default;
    // Starts `program` (a path, or a name looked up in PATH) with `arguments`;
    // true when it was started. The program runs on after this one ends.
    virtual bool StartDetached(const std::string& program, const std::vector<std::string>& arguments) = 0;
    // Hands an address (a "mailto:" one, say) to the desktop's opener, which
    // starts the user's program for it; true when the opener was started.
    virtual bool OpenWithDesktop(const std::string& address) = 0;
};

}  // namespace platform
