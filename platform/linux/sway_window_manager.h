// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The clock's window on sway: floating, no border, sticky (on every
// workspace) at its place, asked for through sway's IPC once sway has mapped
// it. A window of Xwayland is named by its X11 id, a native one by this
// program's pid.

#include "platform/linux/sway_ipc.h"
#include "platform/window_manager.h"

#include <string>

namespace platform {

class SwayWindowManager : public WindowManager {
public:
    explicit SwayWindowManager(std::string socketPath);
    void FloatAt(std::uintptr_t windowId, int left, int top) override;

    // The command for a window (public for its test).
    static std::string FloatCommand(std::uintptr_t windowId, long long pid, int left, int top);

    static constexpr int kTries = 40;  // sway maps a window within moments
    static constexpr int kRetryMs = 50;

private:
    void Try(const std::string& command, int triesLeft);

    SwayIpc ipc_;
    unsigned generation_ = 0;  // a newer request ends the retries of an older one
};

}  // namespace platform
