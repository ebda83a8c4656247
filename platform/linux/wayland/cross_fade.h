// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The timing of a cross-fade from the old wallpaper to the new: how far the
// new picture shows at a moment, and when the next frame is due, at most 30
// frames a second. The clock is the caller's (milliseconds from any origin),
// so a late frame only shows more of the new picture, never more frames.

#include <cstdint>

class CrossFade {
public:
    static constexpr int kDurationMs = 750;
    // 30 frames a second at most: a frame every 34 ms (33.3 rounded up).
    static constexpr int kFrameMs = 34;

    void Start(std::int64_t nowMs)
    {
        start_ = nowMs;
        running_ = true;
    }
    bool Running() const { return running_; }
    // How much of the new picture a frame drawn now shows, 0 to 1; the frame
    // that reaches 1 ends the fade.
    double FrameAt(std::int64_t nowMs);
    // Milliseconds from the frame just drawn to the next, or -1 when the fade has ended.
    int NextFrameInMs() const { return running_ ? kFrameMs : -1; }

private:
    std::int64_t start_ = 0;
    bool running_ = false;
};
