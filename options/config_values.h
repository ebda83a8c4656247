// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the options dialog's controls hold, filled from the settings record
// and copied back after OK. Every path keeps its case: file names on this
// system are case-sensitive, so lower-casing one would name another file.

#include "base/clock_settings.h"

#include <functional>
#include <string>

// A spin field's range and step. Values are held to the range; a value off
// the step stays as it is (37 in 0..55 step 5 stays 37). `digits` is the
// least number of digits shown (minutes read "05").
struct SpinRange {
    int minimum;
    int maximum;
    int step;
    int digits = 1;
};
inline constexpr SpinRange kHourRange{0, 23, 1};
inline constexpr SpinRange kMinuteRange{0, 55, 5, 2};
inline constexpr SpinRange kIntervalRange{10, 120, 5};

int HeldToRange(int value, SpinRange range);

struct ClockTimeValue {
    int hour = 0;
    int minute = 0;
};

struct ConfigValues {
    // Wallpaper directories
    std::string WallDir1;
    bool WallDir2Sw = false;
    std::string WallDir2;
    ClockTimeValue WallDir2Start;
    ClockTimeValue WallDir2End;
    bool WallDir3Sw = false;
    std::string WallDir3;
    ClockTimeValue WallDir3Start;
    ClockTimeValue WallDir3End;
    // Wallpaper options
    bool WallChangeSw = false;
    bool StartWallChangeSw = false;
    int IntervalMinutes = kIntervalRange.minimum;
    std::string PanicWallPaper;
    bool ColorDecSw = false;
    bool OnTop = false;
    bool Clock24 = false;
    bool WallPerMonitorSw = false;
    // "表示方法": 0 中央, 1 全体, 2 ﾌｨｯﾄ, 3 拡大, 4 伸縮, 5 ｽﾊﾟﾝ (the order of
    // platform::WallpaperMode). Kept in the registry, not in the settings.
    int WallpaperDisplay = 0;
    // Time signals
    bool JustWaveSw = false;
    std::string JustWave;
    bool HalfWaveSw = false;
    std::string HalfWave;
    bool QuarterWaveSw = false;
    std::string QuarterWave;
    // Alarm
    bool AlarmWaveSw = false;
    std::string AlarmWave;
    bool AlarmBmpSw = false;
    std::string AlarmBmp;
};

// The controls as filled from the settings: times give hour and minute
// (seconds dropped), the interval hours × 60 + minutes, each held to its
// field's range (8:58:30 shows 8 and 55, an interval of 0 shows 10).
ConfigValues ConfigValuesFrom(const ClockSettings& settings);

// What happens between the copies: the window's stacking follows OnTop at
// once, and the rotation follows WallChangeSw (told whether it was on before).
struct CopyBackSteps {
    std::function<void()> afterOnTop;
    std::function<void(bool wallChangeWasOn)> afterWallChange;
};

// Copies every value back in the dialog's order: OnTop; the paths; the four
// window times (hour, minute, 0 s); the two directory switches; WallChangeSw;
// the interval as (v div 60) h (v mod 60) min; the rest. OffsetX, OffsetY and
// UseWaveSw are not touched.
void CopyBackConfigValues(const ConfigValues& values, ClockSettings& settings, const CopyBackSteps& steps = {});
