// SPDX-License-Identifier: GPL-3.0-or-later
// The options dialog's fill and copy back: what the controls show for the
// stored settings, and what OK stores for what they show.

#include "options/config_values.h"
#include "platform/fake/memory_profile_file.h"
#include "shell/settings_file.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

ClockSettings LoadText(const std::optional<std::string>& text)
{
    platform::MemoryProfileFile file;
    file.content = text;
    ClockSettings s;
    bool armed = false;
    LoadSettings(file, s, armed);
    return s;
}

}  // namespace

TEST(ConfigValues, FillHoldsTimesAndIntervalToTheFieldsRanges)
{
    struct Case {
        const char* stored;  // [WallTime] WallDir2StartTime and [WallSw] WallInterval
        const char* interval;
        int hour, minute, minutes;
        TDateTime savedTime, savedInterval;
    };
    const std::vector<Case> cases = {
        {"8:58:30", "1:30:00", 8, 55, 90, EncodeTime(8, 55), EncodeTime(1, 30)},
        {"23:37:00", "0:00:00", 23, 37, 10, EncodeTime(23, 37), EncodeTime(0, 10)},
        {"0:00:00", "2:00:00", 0, 0, 120, 0, EncodeTime(2, 0)},
        {"12:05:59", "2:30:00", 12, 5, 120, EncodeTime(12, 5), EncodeTime(2, 0)},
        {"6:10:00", "0:07:00", 6, 10, 10, EncodeTime(6, 10), EncodeTime(0, 10)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.stored);
        ClockSettings s = LoadText(std::string("[WallTime]\nWallDir2StartTime=") + c.stored +
                                   "\n[WallSw]\nWallInterval=" + c.interval + "\n");
        const ConfigValues v = ConfigValuesFrom(s);
        EXPECT_EQ(v.WallDir2Start.hour, c.hour);
        EXPECT_EQ(v.WallDir2Start.minute, c.minute);
        EXPECT_EQ(v.IntervalMinutes, c.minutes);
        CopyBackConfigValues(v, s);
        EXPECT_DOUBLE_EQ(s.WallDir2StartTime, c.savedTime);
        EXPECT_DOUBLE_EQ(s.WallInterval, c.savedInterval);
    }
}

TEST(ConfigValues, NoFileShowsMidnightAndTenMinutes)
{
    ClockSettings s = LoadText(std::nullopt);
    const ConfigValues v = ConfigValuesFrom(s);
    for (const ClockTimeValue& t : {v.WallDir2Start, v.WallDir2End, v.WallDir3Start, v.WallDir3End}) {
        EXPECT_EQ(t.hour, 0);
        EXPECT_EQ(t.minute, 0);
    }
    EXPECT_EQ(v.IntervalMinutes, 10);
    CopyBackConfigValues(v, s);
    EXPECT_DOUBLE_EQ(s.WallInterval, EncodeTime(0, 10));
    EXPECT_EQ(SettingsTimeText(s.WallInterval), "0:10:00");
}

TEST(ConfigValues, PathsKeepTheirCaseAndUntouchedFieldsStay)
{
    ClockSettings s;
    s.UseWaveSw = true;
    s.OffsetX = 123;
    s.OffsetY = -7;
    ConfigValues v = ConfigValuesFrom(s);
    v.WallDir1 = "/home/Ann/Images/Summer";
    v.WallDir2 = "/media/USB/Walls";
    v.WallDir3 = "C:\\WALL";
    v.PanicWallPaper = "/home/Ann/Panic.JPG";
    v.JustWave = "/snd/Hour.WAV";
    v.HalfWave = "/snd/Half.wav";
    v.QuarterWave = "/snd/QUARTER.wav";
    v.AlarmWave = "/snd/Alarm.WAV";
    v.AlarmBmp = "/pic/Alarm.BMP";
    CopyBackConfigValues(v, s);
    EXPECT_EQ(s.WallDir1, "/home/Ann/Images/Summer");
    EXPECT_EQ(s.WallDir2, "/media/USB/Walls");
    EXPECT_EQ(s.WallDir3, "C:\\WALL");
    EXPECT_EQ(s.PanicWallPaper, "/home/Ann/Panic.JPG");
    EXPECT_EQ(s.JustWave, "/snd/Hour.WAV");
    EXPECT_EQ(s.HalfWave, "/snd/Half.wav");
    EXPECT_EQ(s.QuarterWave, "/snd/QUARTER.wav");
    EXPECT_EQ(s.AlarmWave, "/snd/Alarm.WAV");
    EXPECT_EQ(s.AlarmBmp, "/pic/Alarm.BMP");
    EXPECT_TRUE(s.UseWaveSw);
    EXPECT_EQ(s.OffsetX, 123);
    EXPECT_EQ(s.OffsetY, -7);
}

TEST(ConfigValues, EveryValueRoundTripsAndTheStepsRunInOrder)
{
    ClockSettings s;
    ConfigValues v;
    v.WallDir2Sw = v.WallDir3Sw = v.WallChangeSw = v.StartWallChangeSw = v.ColorDecSw = v.OnTop = v.WallPerMonitorSw =
        v.Clock24 = true;
    v.JustWaveSw = v.HalfWaveSw = v.QuarterWaveSw = v.AlarmWaveSw = v.AlarmBmpSw = true;
    v.WallDir2End = {17, 45};
    v.WallDir3Start = {22, 0};
    v.WallDir3End = {5, 30};
    v.IntervalMinutes = 75;

    std::vector<std::string> steps;
    CopyBackSteps hooks;
    hooks.afterOnTop = [&] { steps.push_back(s.OnTop && !s.WallChangeSw ? "onTop" : "onTop late"); };
    hooks.afterWallChange = [&](bool wasOn) {
        // The window times are in, the interval not yet.
        steps.push_back(std::string(wasOn ? "was on" : "was off") + (s.WallDir3Sw ? "" : " early") +
                        (s.WallInterval == 0 ? "" : " late"));
    };
    CopyBackConfigValues(v, s, hooks);
    EXPECT_EQ(steps, (std::vector<std::string>{"onTop", "was off"}));

    const ConfigValues back = ConfigValuesFrom(s);
    EXPECT_TRUE(back.WallDir2Sw && back.WallDir3Sw && back.WallChangeSw && back.StartWallChangeSw && back.ColorDecSw &&
                back.WallPerMonitorSw && back.OnTop && back.Clock24 && back.JustWaveSw && back.HalfWaveSw &&
                back.QuarterWaveSw && back.AlarmWaveSw && back.AlarmBmpSw);
    EXPECT_EQ(back.WallDir2End.hour, 17);
    EXPECT_EQ(back.WallDir2End.minute, 45);
    EXPECT_EQ(back.WallDir3Start.hour, 22);
    EXPECT_EQ(back.WallDir3End.minute, 30);
    EXPECT_EQ(back.IntervalMinutes, 75);
    EXPECT_EQ(SettingsTimeText(s.WallInterval), "1:15:00");
}
