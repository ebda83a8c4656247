// SPDX-License-Identifier: GPL-3.0-or-later
#include "image/read_cancel.h"

namespace {
thread_local const std::atomic<bool>* t_flag = nullptr;
std::atomic<bool> g_everyReadStopped{false};
static_assert(std::atomic<bool>::is_always_lock_free, "set from a signal handler");
}  // namespace

void StopEveryRead()
{
    g_everyReadStopped.store(true, std::memory_order_relaxed);
}

ReadCancelScope::ReadCancelScope(const std::atomic<bool>* flag) : previous_(t_flag)
{
    t_flag = flag;
}

ReadCancelScope::~ReadCancelScope()
{
    t_flag = previous_;
}

const std::atomic<bool>* ReadCancelFlag()
{
    return t_flag;
}

bool ReadCancelled()
{
    return g_everyReadStopped.load(std::memory_order_relaxed) || (t_flag && t_flag->load(std::memory_order_relaxed));
}
