// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Records which help topics were asked for.

#include "platform/help.h"

#include <vector>

namespace platform {

class FakeHelp : public Help {
public:
    static constexpr int kContents = -1;
    static constexpr int kQuit = -2;
    std::vector<int> requests;  // context numbers, kContents or kQuit

    void ShowContents() override { requests.push_back(kContents); }
    void ShowContext(int context) override { requests.push_back(context); }
    void Quit() override { requests.push_back(kQuit); }
};

}  // namespace platform
