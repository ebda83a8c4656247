// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The X server's own screen saver. Switching it off suspends it through the
// MIT-SCREEN-SAVER extension on a display connection held open for as long as
// it stays off: the server ends the suspension when that connection closes,
// so a quit, a crash or a kill alike bring the saver back, and the user's own
// `xset s` values are never changed. Works on every X desktop and under Xvfb.

#include "platform/screen_saver.h"

#include <memory>

namespace platform {

class X11ScreenSaver : public ScreenSaver {
public:
    X11ScreenSaver();
    ~X11ScreenSaver() override;
    // Off while this program holds the saver suspended, or while the
    // server's own timeout is 0 (`xset s off`).
    bool IsActive() override;
    // Switching on only ends this program's suspension: a saver the user
    // switched off in the server stays off.
    void SetActive(bool active) override;
    void StartNow() override;

    // Whether this program holds the server's saver suspended now.
    bool Suspended() const;

private:
    struct Connection;
    std::unique_ptr<Connection> held_;  // open while the saver is suspended
};

}  // namespace platform
