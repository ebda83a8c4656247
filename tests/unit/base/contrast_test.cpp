// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/contrast.h"

#include <gtest/gtest.h>

TEST(Contrast, RatiosOfTheGuidelinesBothWaysRound)
{
    struct Case {
        std::uint32_t a, b;
        double expected;
    };
    const Case cases[] = {
        {0x000000, 0xFFFFFF, 21.0},   // the most there is
        {0x123456, 0x123456, 1.0},    // the same colour
        {0x000080, 0xF0F0F0, 14.05},  // navy on the light window: reads
        {0x000080, 0x353535, 1.31},   // navy on a dark window: does not
        {0x767676, 0xFFFFFF, 4.54},   // the lightest grey that still reads on white
    };
    for (const Case& c : cases) {
        EXPECT_NEAR(ContrastRatio(c.a, c.b), c.expected, 0.1) << std::hex << c.a << " on " << c.b;
        EXPECT_DOUBLE_EQ(ContrastRatio(c.a, c.b), ContrastRatio(c.b, c.a));
    }
}
