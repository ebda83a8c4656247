// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/linux/wayland/cross_fade.h"

double CrossFade::FrameAt(std::int64_t nowMs)
{
    if (!running_)
        return 1.0;
    const std::int64_t elapsed = nowMs - start_;
    if (elapsed >= kDurationMs || elapsed < 0) {  // a clock set back ends it too
        running_ = false;
        return 1.0;
    }
    return double(elapsed) / kDurationMs;
}
