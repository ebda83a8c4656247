// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The instance guard over an abstract Unix socket named after the executable's
// file name and the user. The socket is the guard: the kernel frees its name
// when the process ends in any way, so a crashed copy never blocks the next
// start; a later copy connects to it to ask for the window.
//
// Any local user can bind an abstract name, so the holder of a name counts
// only when it runs as our user (its credentials, SO_PEERCRED): a name held by
// someone else is passed over for the next of a few numbered names, and
// requests from other users are ignored.

#include "platform/instance_guard.h"

#include <memory>
#include <string>

class QSocketNotifier;

namespace platform {

class SocketInstanceGuard : public InstanceGuard {
public:
    // `name`: the instance name (shell/instance_name.h), unique per file name and user.
    explicit SocketInstanceGuard(std::string name);
    ~SocketInstanceGuard() override;
    SocketInstanceGuard(const SocketInstanceGuard&) = delete;
    SocketInstanceGuard& operator=(const SocketInstanceGuard&) = delete;

    // Names tried before running without a guard: the name, then name-1 ...
    static constexpr int kNamesTried = 4;

    bool Acquire() override;
    bool BringRunningCopyForward() override;
    void OnForwardRequest(std::function<void()> handler) override;

    // The name this copy holds, or the name of the running copy it found.
    const std::string& ActiveName() const { return activeName_; }

private:
    void Accept();

    std::string name_;
    std::string activeName_;
    int listenFd_ = -1;
    std::function<void()> handler_;
    std::unique_ptr<QSocketNotifier> notifier_;
};

}  // namespace platform
