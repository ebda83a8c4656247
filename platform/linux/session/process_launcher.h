// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Starts programs detached (QProcess); the desktop's opener is xdg-open, or
// GIO's "gio open" where xdg-utils is not installed.

#include "platform/launcher.h"

namespace platform {

class ProcessLauncher : public Launcher {
public:
    bool StartDetached(const std::string& program, const std::vector<std::string>& arguments) override;
    bool OpenWithDesktop(const std::string& address) override;
};

}  // namespace platform
