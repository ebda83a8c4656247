// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// An instance guard that says what the test wants and records the calls.

#include "platform/instance_guard.h"

namespace platform {

class FakeInstanceGuard : public InstanceGuard {
public:
    bool alone = true;
    int forwardRequests = 0;
    std::function<void()> handler;

    bool Acquire() override { return alone; }
    bool BringRunningCopyForward() override
    {
        ++forwardRequests;
        return true;
    }
    void OnForwardRequest(std::function<void()> h) override { handler = std::move(h); }
};

}  // namespace platform
