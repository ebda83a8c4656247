// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The one settings record, its fields named by the settings file's keys.
// Times of day and the wallpaper interval are date-time fractions.

#include "base/date_time.h"
#include "base/sun/sun_position.h"

#include <cstdint>
#include <optional>
#include <string>

struct ClockSettings {
    // [Location]
    std::int32_t OffsetX = 0;
    std::int32_t OffsetY = 0;
    bool OnTop = false;
    // The face shows the 24-hour "HH:mm" instead of "hh:mm am/pm".
    bool Clock24 = false;
    // Where the sun of dynamic wallpapers is looked at (Latitude=, Longitude=,
    // both or neither); unset, the time zone's place is taken.
    std::optional<GeoPlace> Place;
    // [WallDir]
    std::string PanicWallPaper;
    std::string WallDir1;
    std::string WallDir2;
    std::string WallDir3;
    // [WallTime]
    TDateTime WallDir2StartTime = 0;
    TDateTime WallDir2EndTime = 0;
    TDateTime WallDir3StartTime = 0;
    TDateTime WallDir3EndTime = 0;
    // [WallSw]
    bool WallDir2Sw = false;
    bool WallDir3Sw = false;
    bool WallChangeSw = false;
    TDateTime WallInterval = 0;
    bool StartWallChangeSw = false;
    bool ColorDecSw = false;
    // A picture of the rotation on each monitor rather than one on all.
    bool WallPerMonitorSw = false;
    // [WaveFile]
    std::string JustWave;
    std::string HalfWave;
    std::string QuarterWave;
    // [WaveSw]
    bool UseWaveSw = false;
    bool JustWaveSw = false;
    bool HalfWaveSw = false;
    bool QuarterWaveSw = false;
    // [Alarm]
    std::string AlarmWave;
    std::string AlarmBmp;
    bool AlarmWaveSw = false;
    bool AlarmBmpSw = false;
};
