// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Work that may wait on a file system that does not answer (a stale network
// mount) runs on a thread of its own; the program waits for it a while with
// its events going on (the clock's tick, signals, the instance socket), user
// input held back. When no answer comes in time the thread is left to end on
// its own: the file system holds it, not the program.

#include <chrono>
#include <exception>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>

// Waits until `done` says so or `limit` has passed, running the events.
bool WaitWithEventsRunning(const std::function<bool()>& done, std::chrono::milliseconds limit);

// The work's result, or nothing when it did not end within `limit`. An error
// the work raised is raised here.
template <class T>
std::optional<T> AnswerWithin(std::chrono::milliseconds limit, std::function<T()> work)
{
    struct Shared {
        std::mutex mutex;
        bool done = false;
        std::optional<T> result;
        std::exception_ptr error;
    };
    auto shared = std::make_shared<Shared>();
    std::thread([shared, work = std::move(work)] {
        std::optional<T> result;
        std::exception_ptr error;
        try {
            result = work();
        } catch (...) {
            error = std::current_exception();
        }
        const std::lock_guard lock(shared->mutex);
        shared->result = std::move(result);
        shared->error = error;
        shared->done = true;
    }).detach();
    const bool ended = WaitWithEventsRunning(
        [&shared] {
            const std::lock_guard lock(shared->mutex);
            return shared->done;
        },
        limit);
    if (!ended)
        return std::nullopt;
    const std::lock_guard lock(shared->mutex);
    if (shared->error)
        std::rethrow_exception(shared->error);
    return std::move(shared->result);
}
