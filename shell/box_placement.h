// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Where a box or dialog opens so that it never hides the clock: just below the
// clock, or just above it when the screen ends below, left edges lined up,
// the whole box on the screen. Where neither fits, beside it (right, then
// left); where nothing fits, the place that covers the least of the clock.

struct ScreenRect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    int Right() const { return left + width; }   // one past the last column
    int Bottom() const { return top + height; }  // one past the last row
};

struct BoxPlace {
    int left = 0;
    int top = 0;
};

// The gap kept between the clock and the box, in pixels.
inline constexpr int kBoxGap = 6;

// The top left corner of a `boxWidth` × `boxHeight` box for a clock at
// `clock` on `screen` (the screen's area that windows may take).
BoxPlace PlaceBesideClock(const ScreenRect& clock, int boxWidth, int boxHeight, const ScreenRect& screen);
