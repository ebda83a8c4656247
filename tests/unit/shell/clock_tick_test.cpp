// SPDX-License-Identifier: GPL-3.0-or-later
// The tick's decisions: the face text, the time signals, the wallpaper test.

#include "shell/clock_tick.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

ClockSettings AllSignals()
{
    ClockSettings s;
    s.UseWaveSw = s.JustWaveSw = s.HalfWaveSw = s.QuarterWaveSw = true;
    s.JustWave = "just.wav";
    s.HalfWave = "half.wav";
    s.QuarterWave = "quarter.wav";
    return s;
}

// Runs ticks every 450 ms from `from` for `minutes` minutes and returns the
// sounds in order, each with the minute of day it sounded in.
struct Sounded {
    int minuteOfDay;
    std::string file;
};
std::vector<Sounded> RunTicks(const ClockSettings& s, TDateTime from, int minutes, bool& armed)
{
    std::vector<Sounded> out;
    const TDateTime step = 450.0 / kMsPerDay;
    std::string shown;
    for (TDateTime t = from; t < from + minutes / kMinutesPerDay; t += step) {
        const TickPlan plan = PlanTick(t, shown, s, armed, true);
        if (plan.newClockText)
            shown = *plan.newClockText;
        if (plan.chime) {
            const TimeParts p = DecodeTime(t);
            out.push_back({p.hour * 60 + p.minute, *plan.chime});
        }
    }
    return out;
}

TEST(ClockTick, EachSignalSoundsOnceInItsMinuteAcrossAnHour)
{
    bool armed = true;
    const auto sounded = RunTicks(AllSignals(), EncodeDate(2026, 12, 7) + EncodeTime(9, 58), 64, armed);
    ASSERT_EQ(sounded.size(), 5u);
    EXPECT_EQ(sounded[0].minuteOfDay, 10 * 60);
    EXPECT_EQ(sounded[0].file, "just.wav");
    EXPECT_EQ(sounded[1].minuteOfDay, 10 * 60 + 15);
    EXPECT_EQ(sounded[1].file, "quarter.wav");
    EXPECT_EQ(sounded[2].minuteOfDay, 10 * 60 + 30);
    EXPECT_EQ(sounded[2].file, "half.wav");
    EXPECT_EQ(sounded[3].minuteOfDay, 10 * 60 + 45);
    EXPECT_EQ(sounded[3].file, "quarter.wav");
    EXPECT_EQ(sounded[4].minuteOfDay, 11 * 60);
}

TEST(ClockTick, SwitchesChooseTheSignals)
{
    ClockSettings s = AllSignals();
    s.HalfWaveSw = false;
    s.QuarterWaveSw = false;
    bool armed = true;
    const auto sounded = RunTicks(s, EncodeTime(9, 59), 62, armed);
    ASSERT_EQ(sounded.size(), 2u);  // 10:00 and 11:00; 10:30 is silent
    EXPECT_EQ(sounded[0].minuteOfDay, 600);
    EXPECT_EQ(sounded[1].minuteOfDay, 660);

    s = AllSignals();
    s.UseWaveSw = false;  // the master switch silences everything
    armed = true;
    EXPECT_TRUE(RunTicks(s, EncodeTime(9, 59), 62, armed).empty());
}

TEST(ClockTick, StartInASignalMinuteSoundsInTheFirstTick)
{
    ClockSettings s = AllSignals();
    bool armed = true;  // the loader arms the flag
    const TickPlan plan = PlanTick(EncodeDate(2026, 12, 7) + EncodeTime(14, 0, 20), "", s, armed, true);
    ASSERT_TRUE(plan.chime);
    EXPECT_EQ(*plan.chime, "just.wav");
    EXPECT_FALSE(armed);
}

TEST(ClockTick, EmptyFileNameIsSilentButSpendsTheSignal)
{
    ClockSettings s = AllSignals();
    s.JustWave.clear();
    bool armed = true;
    auto chime = ChimeForMinute(0, s, armed);
    ASSERT_TRUE(chime);
    EXPECT_TRUE(chime->empty());
    EXPECT_FALSE(armed);
    EXPECT_FALSE(ChimeForMinute(0, s, armed));  // later ticks of the minute
    ChimeForMinute(1, s, armed);
    EXPECT_TRUE(armed);
}

TEST(ClockTick, SwitchedOffSignalMinuteLeavesTheFlagAlone)
{
    ClockSettings s = AllSignals();
    s.HalfWaveSw = false;
    bool armed = false;
    EXPECT_FALSE(ChimeForMinute(30, s, armed));
    EXPECT_FALSE(armed);
    armed = true;
    EXPECT_FALSE(ChimeForMinute(30, s, armed));
    EXPECT_TRUE(armed);
    s.UseWaveSw = false;
    armed = false;
    ChimeForMinute(7, s, armed);
    EXPECT_FALSE(armed);  // with the master switch off nothing is touched
}

TEST(ClockTick, FaceTextChangesOnlyWithTheMinute)
{
    ClockSettings s;
    bool armed = true;
    TickPlan plan = PlanTick(EncodeTime(11, 59, 10), "", s, armed, true);
    ASSERT_TRUE(plan.newClockText);
    EXPECT_EQ(*plan.newClockText, "11:59 am");
    EXPECT_FALSE(PlanTick(EncodeTime(11, 59, 59, 900), "11:59 am", s, armed, true).newClockText);
    plan = PlanTick(EncodeTime(12, 0), "11:59 am", s, armed, true);
    ASSERT_TRUE(plan.newClockText);
    EXPECT_EQ(*plan.newClockText, "12:00 pm");
    EXPECT_EQ(*PlanTick(EncodeDate(2026, 12, 8), "11:59 pm", s, armed, true).newClockText, "12:00 am");
}

TEST(ClockTick, WallpaperTestRunsOnlyWhileRotationRuns)
{
    ClockSettings s;
    bool armed = true;
    const TDateTime t = EncodeTime(10, 7);
    EXPECT_FALSE(PlanTick(t, "", s, armed, false).wallDueTest);  // switched off or paused
    EXPECT_TRUE(PlanTick(t, "", s, armed, true).wallDueTest);
    EXPECT_EQ(PlanTick(t, "", s, armed, true).minute, 7);
}

}  // namespace
