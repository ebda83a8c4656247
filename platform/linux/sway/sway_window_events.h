// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// sway's word that it has mapped a window: each time it makes a container
// for one (a new window, or one unmapped and mapped again, as Qt does when a
// window's stacking flag changes). What sway was told about the earlier
// container is lost with it and has to be said again.

#include "platform/linux/shared/unique_fd.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

class QSocketNotifier;

namespace platform {

struct SwayWindow {
    long long pid = 0;             // the process that owns it
    std::uintptr_t x11Window = 0;  // its X11 id under Xwayland, 0 for a native one
};

class SwayWindowEvents {
public:
    // Listens on sway's socket `socketPath`; without an answer from sway it
    // never reports anything.
    explicit SwayWindowEvents(const std::string& socketPath);
    ~SwayWindowEvents();
    SwayWindowEvents(const SwayWindowEvents&) = delete;
    SwayWindowEvents& operator=(const SwayWindowEvents&) = delete;

    // `handler` runs in the event loop for every window sway maps from now on.
    void OnWindowMapped(std::function<void(const SwayWindow&)> handler) { handler_ = std::move(handler); }

    // The windows mapped in the whole messages at the front of `buffer`,
    // which are taken off it (public for its test).
    static std::vector<SwayWindow> TakeMappedWindows(std::string& buffer);

private:
    void Read();

    UniqueFd fd_;
    std::unique_ptr<QSocketNotifier> notifier_;  // goes before the descriptor closes
    std::string buffer_;
    std::function<void(const SwayWindow&)> handler_;
};

}  // namespace platform
