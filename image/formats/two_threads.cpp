// SPDX-License-Identifier: GPL-3.0-or-later
#include "image/formats/two_threads.h"

#include "image/read_cancel.h"

#include <thread>

namespace {

bool Guarded(const std::function<bool()>& part)
{
    try {
        return part();
    } catch (...) {
        return false;
    }
}

}  // namespace

TwoThreadResult RunOnTwoThreads(const std::function<bool()>& here, const std::function<bool()>& there)
{
    TwoThreadResult result;
    std::thread other;
    try {
        // The other half stops with the read it is part of.
        other = std::thread([&, flag = ReadCancelFlag()] {
            const ReadCancelScope scope(flag);
            result.there = Guarded(there);
        });
    } catch (...) {
        result.here = Guarded(here);
        result.there = Guarded(there);
        return result;
    }
    result.here = Guarded(here);
    other.join();
    return result;
}
