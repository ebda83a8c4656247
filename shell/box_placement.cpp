// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/box_placement.h"

#include <algorithm>
#include <array>
#include <cstdint>

namespace {

// `value` pulled into [low, high - size]; a size larger than the range gives low.
int Clamp(int value, int size, int low, int high)
{
    return std::max(low, std::min(value, high - size));
}

std::int64_t Overlap(const ScreenRect& a, const ScreenRect& b)
{
    const std::int64_t w = std::min(a.Right(), b.Right()) - std::max(a.left, b.left);
    const std::int64_t h = std::min(a.Bottom(), b.Bottom()) - std::max(a.top, b.top);
    return w > 0 && h > 0 ? w * h : 0;
}

}  // namespace

BoxPlace PlaceBesideClock(const ScreenRect& clock, int boxWidth, int boxHeight, const ScreenRect& screen)
{
    const int alignedLeft = Clamp(clock.left, boxWidth, screen.left, screen.Right());
    const int besideTop = Clamp(clock.top, boxHeight, screen.top, screen.Bottom());
    // In order of preference; each pulled into the screen.
    const std::array<BoxPlace, 4> places{{
        {alignedLeft, Clamp(clock.Bottom() + kBoxGap, boxHeight, screen.top, screen.Bottom())},
        {alignedLeft, Clamp(clock.top - kBoxGap - boxHeight, boxHeight, screen.top, screen.Bottom())},
        {Clamp(clock.Right() + kBoxGap, boxWidth, screen.left, screen.Right()), besideTop},
        {Clamp(clock.left - kBoxGap - boxWidth, boxWidth, screen.left, screen.Right()), besideTop},
    }};
    BoxPlace best = places.front();
    std::int64_t least = -1;
    for (const BoxPlace& place : places) {
        const std::int64_t covered = Overlap({place.left, place.top, boxWidth, boxHeight}, clock);
        if (covered == 0)
            return place;
        if (least < 0 || covered < least) {
            least = covered;
            best = place;
        }
    }
    return best;
}
