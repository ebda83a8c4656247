// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A read that another thread may stop: the thread that reads opens a
// ReadCancelScope on a flag, and the readers look at ReadCancelled() where
// they can stop (between a grid's tiles, between a JPEG's rows) and fail
// there. A read that was not given a flag stops only when every read is
// stopped, as the program ends.

#include <atomic>

class ReadCancelScope {
public:
    // Reads on this thread, until the scope ends, stop once `flag` is set;
    // a null flag makes them uncancellable again (the helper threads of a
    // reader pass their reader's flag on this way).
    explicit ReadCancelScope(const std::atomic<bool>* flag);
    ~ReadCancelScope();
    ReadCancelScope(const ReadCancelScope&) = delete;
    ReadCancelScope& operator=(const ReadCancelScope&) = delete;

private:
    const std::atomic<bool>* previous_;
};

// Stops every read, on every thread, now and from now on: for the end of
// the program (safe in a signal handler).
void StopEveryRead();

// The flag of this thread's read (null when there is none).
const std::atomic<bool>* ReadCancelFlag();
// True when this thread's read has been asked to stop, or every read has.
bool ReadCancelled();
