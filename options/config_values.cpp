// SPDX-License-Identifier: GPL-3.0-or-later
#include "options/config_values.h"

#include <algorithm>

int HeldToRange(int value, SpinRange range)
{
    return std::clamp(value, range.minimum, range.maximum);
}

namespace {

ClockTimeValue ClockTimeOf(TDateTime value)
{
    const TimeParts t = DecodeTime(value);
    return {HeldToRange(t.hour, kHourRange), HeldToRange(t.minute, kMinuteRange)};
}

TDateTime TimeOf(ClockTimeValue value)
{
    return EncodeTime(HeldToRange(value.hour, kHourRange), HeldToRange(value.minute, kMinuteRange), 0);
}

}  // namespace

ConfigValues ConfigValuesFrom(const ClockSettings& s)
{
    ConfigValues v;
    v.WallDir1 = s.WallDir1;
    v.WallDir2Sw = s.WallDir2Sw;
    v.WallDir2 = s.WallDir2;
    v.WallDir2Start = ClockTimeOf(s.WallDir2StartTime);
    v.WallDir2End = ClockTimeOf(s.WallDir2EndTime);
    v.WallDir3Sw = s.WallDir3Sw;
    v.WallDir3 = s.WallDir3;
    v.WallDir3Start = ClockTimeOf(s.WallDir3StartTime);
    v.WallDir3End = ClockTimeOf(s.WallDir3EndTime);

    v.WallChangeSw = s.WallChangeSw;
    v.StartWallChangeSw = s.StartWallChangeSw;
    const TimeParts interval = DecodeTime(s.WallInterval);
    v.IntervalMinutes = HeldToRange(interval.hour * 60 + interval.minute, kIntervalRange);
    v.PanicWallPaper = s.PanicWallPaper;
    v.ColorDecSw = s.ColorDecSw;
    v.WallPerMonitorSw = s.WallPerMonitorSw;
    v.OnTop = s.OnTop;
    v.Clock24 = s.Clock24;

    v.JustWaveSw = s.JustWaveSw;
    v.JustWave = s.JustWave;
    v.HalfWaveSw = s.HalfWaveSw;
    v.HalfWave = s.HalfWave;
    v.QuarterWaveSw = s.QuarterWaveSw;
    v.QuarterWave = s.QuarterWave;

    v.AlarmWaveSw = s.AlarmWaveSw;
    v.AlarmWave = s.AlarmWave;
    v.AlarmBmpSw = s.AlarmBmpSw;
    v.AlarmBmp = s.AlarmBmp;
    return v;
}

void CopyBackConfigValues(const ConfigValues& v, ClockSettings& s, const CopyBackSteps& steps)
{
    s.OnTop = v.OnTop;
    s.Clock24 = v.Clock24;
    if (steps.afterOnTop)
        steps.afterOnTop();
    s.PanicWallPaper = v.PanicWallPaper;
    s.WallDir1 = v.WallDir1;
    s.WallDir2 = v.WallDir2;
    s.WallDir3 = v.WallDir3;
    s.WallDir2StartTime = TimeOf(v.WallDir2Start);
    s.WallDir2EndTime = TimeOf(v.WallDir2End);
    s.WallDir3StartTime = TimeOf(v.WallDir3Start);
    s.WallDir3EndTime = TimeOf(v.WallDir3End);
    s.WallDir2Sw = v.WallDir2Sw;
    s.WallDir3Sw = v.WallDir3Sw;

    const bool wallChangeWasOn = s.WallChangeSw;
    s.WallChangeSw = v.WallChangeSw;
    if (steps.afterWallChange)
        steps.afterWallChange(wallChangeWasOn);

    const int minutes = HeldToRange(v.IntervalMinutes, kIntervalRange);
    s.WallInterval = EncodeTime(minutes / 60, minutes % 60, 0);
    s.StartWallChangeSw = v.StartWallChangeSw;
    s.ColorDecSw = v.ColorDecSw;
    s.WallPerMonitorSw = v.WallPerMonitorSw;
    s.JustWave = v.JustWave;
    s.HalfWave = v.HalfWave;
    s.QuarterWave = v.QuarterWave;
    s.JustWaveSw = v.JustWaveSw;
    s.HalfWaveSw = v.HalfWaveSw;
    s.QuarterWaveSw = v.QuarterWaveSw;
    s.AlarmWave = v.AlarmWave;
    s.AlarmBmp = v.AlarmBmp;
    s.AlarmWaveSw = v.AlarmWaveSw;
    s.AlarmBmpSw = v.AlarmBmpSw;
}
