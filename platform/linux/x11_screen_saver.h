// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The X server's own screen saver (what `xset q` shows): on while its timeout
// is not zero. Works on every X desktop and under Xvfb.

#include "platform/screen_saver.h"

namespace platform {

class X11ScreenSaver : public ScreenSaver {
public:
    bool IsActive() override;
    void SetActive(bool active) override;
    void StartNow() override;

    // The timeout given when the saver is switched on again and no earlier
    // timeout is known (the X server's own default).
    static constexpr int kDefaultTimeoutSeconds = 600;

private:
    int savedTimeout_ = kDefaultTimeoutSeconds;
};

}  // namespace platform
