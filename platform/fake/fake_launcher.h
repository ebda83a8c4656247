// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Records what would have been started; fails on demand.

#include "platform/launcher.h"

namespace platform {

class FakeLauncher : public Launcher {
public:
    struct Start {
        std::string program;
        std::vector<std::string> arguments;
    };
    std::vector<Start> started;
    std::vector<std::string> opened;
    bool succeed = true;

    bool StartDetached(const std::string& program, const std::vector<std::string>& arguments) override
    {
        started.push_back({program, arguments});
        return succeed;
    }
    bool OpenWithDesktop(const std::string& address) override
    {
        opened.push_back(address);
        return succeed;
    }
};

}  // namespace platform
