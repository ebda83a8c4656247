// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The clock's window on sway: floating, no border, sticky (on every
// workspace) at its place, asked for through sway's IPC once sway has mapped
// it. A window of Xwayland is named by its X11 id, a native one by this
// program's pid. When sway maps the X11 window again (Qt unmaps and maps it
// to change its stacking), the new container is asked again.

#include "platform/linux/sway/sway_ipc.h"
#include "platform/linux/sway/sway_window_events.h"
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

    void Mapped(const SwayWindow& window);

    SwayIpc ipc_;
    SwayWindowEvents events_;
    unsigned generation_ = 0;      // a newer request ends the retries of an older one
    std::uintptr_t windowId_ = 0;  // the window and place asked for last
    int left_ = 0;
    int top_ = 0;
};

}  // namespace platform
