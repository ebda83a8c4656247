// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A file descriptor the window's event loop watches for the clock-jump
// watches: the backend opens the descriptor and says what a wake-up means;
// the handler then runs on the window's thread. The descriptor is closed with
// the watch. Nothing wakes the process while the descriptor stays quiet.

#include <functional>
#include <memory>

class QSocketNotifier;

namespace platform {

class FdWatch {
public:
    FdWatch();
    ~FdWatch();
    FdWatch(const FdWatch&) = delete;
    FdWatch& operator=(const FdWatch&) = delete;

    // Takes `fd` (a negative one means the backend could not open it) and
    // watches it for reading. `readable` drains it on each wake-up and says
    // whether the event the handler waits for happened.
    void Watch(int fd, std::function<bool()> readable);
    // The handler for the events; it replaces the one given before.
    void SetHandler(std::function<void()> handler) { handler_ = std::move(handler); }
    // Stops watching for good (the descriptor cannot tell any more).
    void Stop();
    // False when the descriptor could not be opened or watched.
    bool Watching() const { return notifier_ != nullptr; }
    int Fd() const { return fd_; }

private:
    void Activated();

    int fd_ = -1;
    std::function<bool()> readable_;
    std::function<void()> handler_;
    std::unique_ptr<QSocketNotifier> notifier_;
};

}  // namespace platform
