// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The screen saver on sway: switching it off asks sway to hold the idle off
// while this program's windows exist (`inhibit_idle open` on them), which
// swayidle and every idle client honour; switching it on asks for `none`.
// Nothing outlives the program: sway drops the inhibitor with the window.
// A window sway maps again (Qt unmaps and maps the clock to change its
// stacking) gets the inhibitor again while the saver is switched off.
// sway has no saver of its own to start now: "start now" says so in the log.

#include "platform/linux/sway/sway_ipc.h"
#include "platform/linux/sway/sway_window_events.h"
#include "platform/screen_saver.h"

#include <optional>
#include <string>

namespace platform {

class SwayScreenSaver : public ScreenSaver {
public:
    explicit SwayScreenSaver(std::string socketPath);
    // What sway says about this program's window; before the window is
    // mapped, what this program asked for last (switched on at first).
    bool IsActive() override;
    void SetActive(bool active) override;
    void StartNow() override;

    // The user's idle inhibitor sway holds on a window of process `pid` in
    // the tree `treeJson` ("open", "none", ...), or nothing when it has none
    // of its windows (public for its test).
    static std::optional<std::string> UserInhibitor(const std::string& treeJson, long long pid);

private:
    void Mapped(const SwayWindow& window);

    SwayIpc ipc_;
    SwayWindowEvents events_;
    bool active_ = true;  // what sway said last
    bool wanted_ = true;  // what was asked for last
};

}  // namespace platform
