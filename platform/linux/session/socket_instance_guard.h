// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The instance guard over an abstract Unix socket named after the executable's
// file name and the user. The socket is the guard: the kernel frees its name
// when the process ends in any way, so a crashed copy never blocks the next
// start; a later copy connects to it to ask for the window.
//
// With the user's own runtime folder ($XDG_RUNTIME_DIR) the guard is a lock
// on a file there: the kernel grants it to exactly one of any number of
// copies started at once, frees it however the holder ends, and no other
// user can take it. The holder then listens on a socket in the same folder.
// Without that folder the abstract socket name alone is the guard.
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
    // `runtimeDir`: the user's runtime folder (RuntimeDirectory()), or empty.
    explicit SocketInstanceGuard(std::string name, std::string runtimeDir = {});
    ~SocketInstanceGuard() override;
    SocketInstanceGuard(const SocketInstanceGuard&) = delete;
    SocketInstanceGuard& operator=(const SocketInstanceGuard&) = delete;

    // Names tried before running without a guard: the name, then name-1 ...
    static constexpr int kNamesTried = 4;

    bool Acquire() override;
    bool BringRunningCopyForward() override;
    void OnForwardRequest(std::function<void()> handler) override;

    // The name this copy holds, or the name of the running copy it found: an
    // abstract name, or the socket's path in the runtime folder.
    const std::string& ActiveName() const { return activeName_; }

private:
    void Accept();
    void ListenAfterLock();

    std::string name_;
    std::string runtimeDir_;
    std::string activeName_;
    int lockFd_ = -1;
    bool lockedByOurCopy_ = false;  // another copy of ours holds the lock
    int listenFd_ = -1;
    std::function<void()> handler_;
    std::unique_ptr<QSocketNotifier> notifier_;
};

}  // namespace platform
