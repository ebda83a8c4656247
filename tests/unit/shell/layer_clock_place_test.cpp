// SPDX-License-Identifier: GPL-3.0-or-later
// The layer clock's output and margins from the saved place.

#include "shell/layer_clock_place.h"

#include <gtest/gtest.h>

#include <climits>

namespace {

TEST(LayerClockPlace, OutputOfThePlaceAndMarginsPulledIntoIt)
{
    // Two outputs side by side, the second smaller and lower, as sway lays them.
    const std::vector<OutputRect> outputs = {{0, 0, 1280, 1024}, {1280, 100, 800, 600}};
    struct Case {
        int x, y;
        int output, left, top;
    } cases[] = {
        {200, 150, 0, 200, 150},           // on the first
        {1279, 10, 0, 1107, 10},           // its last column: flush with its right edge
        {1300, 120, 1, 20, 20},            // on the second, from its own corner
        {2000, 690, 1, 627, 561},          // the second's far corner: pulled in
        {1300, 50, 0, 1107, 50},           // above the second is on no output: the first, clamped
        {-40, -3, 0, 0, 0},                // left of everything
        {INT_MAX, INT_MAX, 0, 1107, 985},  // no wrap round into an output
        {INT_MIN, INT_MIN, 0, 0, 0},
    };
    for (const Case& c : cases) {
        const LayerClockPlace p = PlaceOnOutputs(c.x, c.y, 173, 39, outputs);
        EXPECT_EQ(p.output, c.output) << c.x << "," << c.y;
        EXPECT_EQ(p.left, c.left) << c.x << "," << c.y;
        EXPECT_EQ(p.top, c.top) << c.x << "," << c.y;
    }
}

TEST(LayerClockPlace, NoOutputYetLeavesTheChoiceToTheCompositor)
{
    EXPECT_EQ(PlaceOnOutputs(200, 150, 173, 39, {}).output, -1);
}

TEST(LayerClockPlace, OutputSmallerThanTheClockPutsItAtTheCorner)
{
    const LayerClockPlace p = PlaceOnOutputs(10, 10, 173, 39, {{0, 0, 100, 30}});
    EXPECT_EQ(p.left, 0);
    EXPECT_EQ(p.top, 0);
}

}  // namespace
