// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What a dynamic wallpaper says about when each of its pictures shows. The
// pictures are numbered from 0 (a HEIC file's top-level images in order, or
// the files a timed XML background names, in order of first mention); every
// index below is less than `pictureCount` (the readers refuse anything else).
#include <vector>

// A picture at a time of day, as a fraction of the local day (0.5 is noon).
struct TimedPicture {
    int picture = 0;
    double dayFraction = 0;
};

// A picture for a place of the sun: its altitude and azimuth in degrees (as
// SunPosition gives them). An azimuth below 180 is the morning's sun, rising
// in the east; from 180 on it is the afternoon's.
struct SunPicture {
    int picture = 0;
    double altitude = 0;
    double azimuth = 0;
};

// One step of a timed loop: a still picture (`from` == `to`, not a
// transition) or a cross-fade from one to the other, lasting `seconds`.
struct LoopStep {
    int from = 0;
    int to = 0;
    double seconds = 0;
    bool transition = false;
};

struct DynamicSchedule {
    enum class Kind {
        DayTimes,   // pictures at times of day
        Sun,        // pictures at places of the sun
        LightDark,  // one picture while the sun is up, one while it is down
        Loop,       // a loop of steps from a start time on
    };
    Kind kind = Kind::DayTimes;
    int pictureCount = 0;
    std::vector<TimedPicture> times;
    std::vector<SunPicture> sun;
    // The light and dark pictures; -1 where the file names none.
    int light = -1;
    int dark = -1;
    // The loop starts at this local wall-clock time, in seconds since
    // 1970-01-01 00:00 (read as if local time were UTC), and repeats.
    double loopStart = 0;
    std::vector<LoopStep> loop;
};
