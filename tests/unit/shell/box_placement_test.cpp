// SPDX-License-Identifier: GPL-3.0-or-later
// Boxes and dialogs open beside the clock, on the screen, never over it.
#include "shell/box_placement.h"

#include <gtest/gtest.h>

#include <string>

namespace {

bool Intersect(const ScreenRect& a, const ScreenRect& b)
{
    return a.left < b.Right() && b.left < a.Right() && a.top < b.Bottom() && b.top < a.Bottom();
}

bool Inside(const ScreenRect& inner, const ScreenRect& outer)
{
    return inner.left >= outer.left && inner.top >= outer.top && inner.Right() <= outer.Right() &&
           inner.Bottom() <= outer.Bottom();
}

}  // namespace

TEST(BoxPlacement, BesideTheClockAtEveryCornerAndTheCentre)
{
    constexpr int kClockW = 173, kClockH = 39;
    struct Box {
        int width, height;
    };
    // A message box, the options dialog and the information dialog, at 1× and at 2×.
    const Box boxes[] = {{320, 130}, {470, 360}, {520, 340}, {640, 260}};
    for (const ScreenRect screen : {ScreenRect{0, 0, 1024, 768}, ScreenRect{0, 0, 1920, 1080}}) {
        const ScreenRect clocks[] = {
            {0, 0, kClockW, kClockH},
            {screen.width - kClockW, 0, kClockW, kClockH},
            {0, screen.height - kClockH, kClockW, kClockH},
            {screen.width - kClockW, screen.height - kClockH, kClockW, kClockH},
            {(screen.width - kClockW) / 2, (screen.height - kClockH) / 2, kClockW, kClockH},
        };
        for (const ScreenRect& clock : clocks)
            for (const Box& box : boxes) {
                const BoxPlace p = PlaceBesideClock(clock, box.width, box.height, screen);
                const ScreenRect placed{p.left, p.top, box.width, box.height};
                const std::string where = std::to_string(screen.width) + "x" + std::to_string(screen.height) +
                                          ", clock at " + std::to_string(clock.left) + "," + std::to_string(clock.top) +
                                          ", box " + std::to_string(box.width) + "x" + std::to_string(box.height) +
                                          " at " + std::to_string(p.left) + "," + std::to_string(p.top);
                EXPECT_TRUE(Inside(placed, screen)) << where;
                EXPECT_FALSE(Intersect(placed, clock)) << where;
                // Below the clock where there is room, else above it.
                if (clock.Bottom() + kBoxGap + box.height <= screen.Bottom()) {
                    EXPECT_EQ(p.top, clock.Bottom() + kBoxGap) << where;
                } else if (clock.top - kBoxGap - box.height >= screen.top) {
                    EXPECT_EQ(p.top + box.height, clock.top - kBoxGap) << where;
                }
            }
    }
}

TEST(BoxPlacement, ABoxTooLargeForAnySideStaysOnTheScreenCoveringTheLeast)
{
    const ScreenRect screen{0, 0, 800, 600};
    const ScreenRect clock{300, 280, 173, 39};
    const BoxPlace p = PlaceBesideClock(clock, 900, 500, screen);
    EXPECT_EQ(p.left, 0);  // wider than the screen: its left edge
    EXPECT_GE(p.top, 0);
    EXPECT_LE(p.top + 500, 600 + 0);
    // A screen that does not start at 0,0 (a second monitor, a panel on top).
    const ScreenRect second{1920, 40, 1280, 984};
    const BoxPlace q = PlaceBesideClock({3000, 40, 173, 39}, 300, 120, second);
    EXPECT_EQ(q.left, 3200 - 300);
    EXPECT_EQ(q.top, 40 + 39 + kBoxGap);
}
