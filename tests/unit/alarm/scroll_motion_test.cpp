// SPDX-License-Identifier: GPL-3.0-or-later
#include "alarm/scroll_motion.h"

#include <gtest/gtest.h>

namespace {

using Step = ScrollMotion::Step;

TEST(ScrollMotion, TwoLoopsOverAHundredRowsStopAfterTwoHundredTicksAtRowZero)
{
    ScrollMotion motion;
    motion.ScrollLoops = 2;
    motion.Start();
    EXPECT_EQ(motion.LoopsLeft, 2);
    for (int tick = 1; tick < 200; ++tick) {
        ASSERT_EQ(motion.Tick(100), Step::Scroll) << tick;
        ASSERT_EQ(motion.ScrollOffset, tick % 100) << tick;
    }
    EXPECT_EQ(motion.LoopsLeft, 1);
    EXPECT_EQ(motion.Tick(100), Step::Stop);
    EXPECT_EQ(motion.ScrollOffset, 0);
    EXPECT_LE(motion.LoopsLeft, 0);
}

TEST(ScrollMotion, EndlessWithoutLoopsAndGoesOnFromWhereItStopped)
{
    ScrollMotion motion;
    motion.ScrollStep = 3;
    motion.Start();
    for (int tick = 0; tick < 1000; ++tick)
        ASSERT_EQ(motion.Tick(180), Step::Scroll);
    EXPECT_EQ(motion.ScrollOffset, 3000 % 180);
    motion.Start();  // a restart keeps the row
    EXPECT_EQ(motion.ScrollOffset, 3000 % 180);
    EXPECT_EQ(motion.Tick(180), Step::Scroll);
    EXPECT_EQ(motion.ScrollOffset, 3003 % 180);
}

TEST(ScrollMotion, StrangeStepsAndAnEmptyPictureStayInsideThePicture)
{
    ScrollMotion motion;
    motion.ScrollOffset = 5;
    EXPECT_EQ(motion.Tick(0), Step::Idle);  // nothing to divide by
    EXPECT_EQ(motion.ScrollOffset, 5);

    motion.ScrollStep = -1;  // backward: the row stays inside 0..rows-1
    motion.ScrollOffset = 0;
    EXPECT_EQ(motion.Tick(10), Step::Scroll);
    EXPECT_EQ(motion.ScrollOffset, 9);

    motion.ScrollStep = 25;  // a step larger than the picture
    motion.ScrollLoops = 3;
    motion.Start();
    EXPECT_EQ(motion.Tick(10), Step::Scroll);
    EXPECT_GE(motion.ScrollOffset, 0);
    EXPECT_LT(motion.ScrollOffset, 10);
}

TEST(ScrollTime, OnlyNewValuesInsideTheRangeAreTaken)
{
    EXPECT_FALSE(AcceptScrollTime(50, 5));
    EXPECT_FALSE(AcceptScrollTime(50, 6000));
    EXPECT_FALSE(AcceptScrollTime(50, 9));
    EXPECT_FALSE(AcceptScrollTime(50, 5001));
    EXPECT_FALSE(AcceptScrollTime(50, 50));
    EXPECT_TRUE(AcceptScrollTime(50, 10));
    EXPECT_TRUE(AcceptScrollTime(50, 5000));
}

TEST(ScrollPaintSpans, TallPictureShortPictureAndEmptyPicture)
{
    // A 180-row picture in a 129-row control.
    EXPECT_EQ(ScrollPaintSpans(129, 180, 0), (std::vector<ScrollSpan>{{0, 0, 129}}));
    EXPECT_EQ(ScrollPaintSpans(129, 180, 51), (std::vector<ScrollSpan>{{51, 0, 129}}));
    EXPECT_EQ(ScrollPaintSpans(129, 180, 100), (std::vector<ScrollSpan>{{100, 0, 80}, {0, 80, 49}}));
    EXPECT_EQ(ScrollPaintSpans(129, 180, 179), (std::vector<ScrollSpan>{{179, 0, 1}, {0, 1, 128}}));
    // A 50-row picture in a 129-row control wraps once only.
    EXPECT_EQ(ScrollPaintSpans(129, 50, 0), (std::vector<ScrollSpan>{{0, 0, 50}, {0, 50, 50}}));
    EXPECT_EQ(ScrollPaintSpans(129, 50, 30), (std::vector<ScrollSpan>{{30, 0, 20}, {0, 20, 50}}));
    EXPECT_TRUE(ScrollPaintSpans(129, 0, 0).empty());
    EXPECT_TRUE(ScrollPaintSpans(0, 50, 0).empty());
    // An offset left over from a taller picture never reads outside this one.
    for (const ScrollSpan& span : ScrollPaintSpans(129, 50, 170)) {
        EXPECT_GE(span.sourceRow, 0);
        EXPECT_LE(span.sourceRow + span.height, 50);
    }
}

}  // namespace
