// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The desktop's screen saver: whether it is switched on, switching it, and
// starting it now.

namespace platform {

class ScreenSaver {
public:
    virtual ~ScreenSaver() = default;
    // Whether the screen saver is switched on (it will start when the desktop
    // is idle). True when the desktop cannot say.
    virtual bool IsActive() = 0;
    // Switches the screen saver on or off; a failure is silent.
    virtual void SetActive(bool active) = 0;
    // Starts the screen saver at once; a failure is silent.
    virtual void StartNow() = 0;
};

}  // namespace platform
