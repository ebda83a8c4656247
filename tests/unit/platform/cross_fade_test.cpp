// SPDX-License-Identifier: GPL-3.0-or-later
// The wallpaper's cross-fade, driven by a clock of the test's.

#include "platform/linux/wayland/cross_fade.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

// Runs a fade whose frames come every `everyMs` (the timer's period, or
// later on a busy machine); returns the share of the new picture each frame showed.
std::vector<double> Frames(int everyMs, std::int64_t startMs = 1000)
{
    CrossFade fade;
    fade.Start(startMs);
    std::vector<double> shown;
    std::int64_t now = startMs;
    while (fade.Running() && shown.size() < 1000) {
        now += everyMs;
        shown.push_back(fade.FrameAt(now));
    }
    return shown;
}

TEST(CrossFade, OnTimeItDraws23FramesRisingToTheNewPicture)
{
    const std::vector<double> shown = Frames(CrossFade::kFrameMs);
    ASSERT_EQ(shown.size(), 23u);  // 0.75 s at 30 frames a second, rounded up
    for (std::size_t i = 1; i < shown.size(); ++i)
        EXPECT_GT(shown[i], shown[i - 1]);
    EXPECT_NEAR(shown.front(), 34.0 / 750.0, 1e-9);
    EXPECT_EQ(shown.back(), 1.0);
    EXPECT_LT(shown[shown.size() - 2], 1.0);
}

TEST(CrossFade, LateFramesShowMoreButAreFewerAndItStillEndsOnTime)
{
    const std::vector<double> shown = Frames(100);
    ASSERT_EQ(shown.size(), 8u);  // 100 ms apart: 800 ms ends it
    EXPECT_NEAR(shown[0], 100.0 / 750.0, 1e-9);
    EXPECT_EQ(shown.back(), 1.0);
    // A frame after the whole time shows only the new picture.
    EXPECT_EQ(Frames(2000), std::vector<double>{1.0});
}

TEST(CrossFade, AClockSetBackEndsItAndAnEndedFadeAsksNoFrame)
{
    CrossFade fade;
    fade.Start(5000);
    EXPECT_EQ(fade.FrameAt(4000), 1.0);
    EXPECT_FALSE(fade.Running());
    EXPECT_EQ(fade.NextFrameInMs(), -1);
    fade.Start(0);
    EXPECT_EQ(fade.NextFrameInMs(), CrossFade::kFrameMs);
}

}  // namespace
