#pragma once
// The instance guard over an abstract Unix socket named after the executable's
// file name and the user. The socket is the guard: the kernel frees its name
// when the process ends in any way, so a crashed copy never blocks the next
// start; a later copy connects to it to ask for the window.

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

    bool Acquire() override;
    bool BringRunningCopyForward() override;
    void OnForwardRequest(std::function<void()> handler) override;

private:
    void Accept();

    std::string name_;
    int listenFd_ = -1;
    std::function<void()> handler_;
    std::unique_ptr<QSocketNotifier> notifier_;
};

}  // namespace platform
