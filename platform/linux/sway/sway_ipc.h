// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// sway's IPC socket (SWAYSOCK): one request, one reply, with a short timeout,
// so a compositor that hangs never stalls the clock for long.

#include <cstdint>
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

    // A connection on which sway sends the events named in `kinds` (a JSON
    // list: `["window"]`): its descriptor, non-blocking, for the caller to
    // read and close; -1 when sway refuses or does not answer.
    int Subscribe(const std::string& kinds) const;

    struct Message {
        std::uint32_t type = 0;  // an event's type has the highest bit set
        std::string payload;
    };
    // Takes the first whole message off the front of `buffer` (the bytes read
    // so far from a subscribed connection); nothing while it is incomplete.
    // Bytes that are no message of sway's are dropped.
    static std::optional<Message> TakeMessage(std::string& buffer);

    static constexpr int kTimeoutMs = 1000;

private:
    std::optional<std::string> Request(unsigned type, const std::string& payload) const;
    int Ask(unsigned type, const std::string& payload, std::string& reply) const;
    std::string path_;
};

}  // namespace platform
