// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// sway's IPC socket (SWAYSOCK): one request, one reply, with a short timeout,
// so a compositor that hangs never stalls the clock for long.

#include <optional>
#include <string>

namespace platform {

class SwayIpc {
public:
    // `socketPath`: the socket sway names in SWAYSOCK.
    explicit SwayIpc(std::string socketPath);

    // The socket of the running sway session, or empty outside one.
    static std::string SessionSocket();

    // Runs sway commands ("[pid=1] floating enable, border none"); true when
    // sway ran every one of them.
    bool Run(const std::string& commands) const;
    // The layout tree as sway's JSON, or nothing when sway does not answer.
    std::optional<std::string> Tree() const;
    // The outputs as sway's JSON, or nothing when sway does not answer.
    std::optional<std::string> Outputs() const;

    static constexpr int kTimeoutMs = 1000;

private:
    std::optional<std::string> Request(unsigned type, const std::string& payload) const;
    std::string path_;
};

}  // namespace platform
