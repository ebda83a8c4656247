// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Two parts of one decoding run at once: one on a thread of its own, the
// other on the calling thread. The readers use it on machines of two cores
// or more, for pictures large enough to pay for a thread.

#include <functional>

struct TwoThreadResult {
    bool here = false;
    bool there = false;
};

// Runs `there` on a new thread and `here` on the calling thread, and returns
// when both are done. A part that throws has failed. When no thread can be
// had, `there` runs on the calling thread after `here`.
TwoThreadResult RunOnTwoThreads(const std::function<bool()>& here, const std::function<bool()>& there);
