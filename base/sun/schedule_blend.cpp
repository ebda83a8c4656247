// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/sun/schedule_blend.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace {

constexpr double kSecondsPerDay = 86400.0;
// The altitude of the sun's centre when its upper edge touches the horizon (refraction included).
constexpr double kHorizon = -0.833;
// The light picture fades into the dark one while the sun sinks through civil twilight.
constexpr double kTwilightDepth = 6.0;

double Fraction(double value)
{
    return value - std::floor(value);
}

// Local midnight starting the day that holds the moment, in UTC seconds.
double LocalMidnight(double unixSeconds, int utcOffsetSeconds)
{
    return std::floor((unixSeconds + utcOffsetSeconds) / kSecondsPerDay) * kSecondsPerDay - utcOffsetSeconds;
}

bool Valid(int picture, int count)
{
    return picture >= 0 && picture < count;
}

PictureBlend Still(int picture)
{
    return PictureBlend{picture, picture, 0};
}

// Between the last picture whose time has come and the next one, around the clock.
PictureBlend BlendOfTimes(std::vector<TimedPicture> times, double dayFraction)
{
    if (times.empty()) {
        return Still(0);
    }
    std::stable_sort(times.begin(), times.end(),
                     [](const TimedPicture& a, const TimedPicture& b) { return a.dayFraction < b.dayFraction; });
    // The last one at or before now; before the first time of the day it is the day's last.
    size_t previous = times.size() - 1;
    for (size_t i = 0; i < times.size(); ++i) {
        if (times[i].dayFraction <= dayFraction) {
            previous = i;
        }
    }
    // The next one at a later time (pictures at the same time as the previous are passed over).
    size_t next = (previous + 1) % times.size();
    while (next != previous && times[next].dayFraction == times[previous].dayFraction) {
        next = (next + 1) % times.size();
    }
    if (next == previous) {
        return Still(times[previous].picture);
    }
    const double span = Fraction(times[next].dayFraction - times[previous].dayFraction);
    const double passed = Fraction(dayFraction - times[previous].dayFraction);
    const double fraction = span > 0 ? std::clamp(passed / span, 0.0, 1.0) : 0.0;
    return PictureBlend{times[previous].picture, times[next].picture, fraction};
}

PictureBlend BlendOfLoop(const DynamicSchedule& schedule, double unixSeconds, int utcOffsetSeconds)
{
    double total = 0;
    for (const LoopStep& step : schedule.loop) {
        total += step.seconds;
    }
    if (schedule.loop.empty() || !(total > 0) || !std::isfinite(total)) {
        return Still(0);
    }
    double position = std::fmod(unixSeconds + utcOffsetSeconds - schedule.loopStart, total);
    if (position < 0) {
        position += total;
    }
    for (const LoopStep& step : schedule.loop) {
        if (position < step.seconds) {
            if (!step.transition) {
                return Still(step.from);
            }
            return PictureBlend{step.from, step.to, std::clamp(position / step.seconds, 0.0, 1.0)};
        }
        position -= step.seconds;
    }
    return Still(schedule.loop.back().transition ? schedule.loop.back().to : schedule.loop.back().from);
}

PictureBlend BlendOfLightDark(const DynamicSchedule& schedule, double unixSeconds, const GeoPlace& place)
{
    const int light = Valid(schedule.light, schedule.pictureCount) ? schedule.light : 0;
    const int dark = Valid(schedule.dark, schedule.pictureCount) ? schedule.dark : light;
    const double altitude = SunPositionAt(unixSeconds, place).altitude;
    const double darkness = std::clamp((kHorizon - altitude) / kTwilightDepth, 0.0, 1.0);
    if (darkness <= 0 || light == dark) {
        return Still(light);
    }
    if (darkness >= 1) {
        return Still(dark);
    }
    return PictureBlend{light, dark, darkness};
}

// The pictures in the order the sun passes them: rising ones from low to high, then setting ones from high to low.
std::vector<SunPicture> InSunOrder(std::vector<SunPicture> pictures)
{
    std::stable_sort(pictures.begin(), pictures.end(), [](const SunPicture& a, const SunPicture& b) {
        const bool aRising = a.azimuth < 180;
        const bool bRising = b.azimuth < 180;
        if (aRising != bRising) {
            return aRising;
        }
        return aRising ? a.altitude < b.altitude : a.altitude > b.altitude;
    });
    return pictures;
}

}  // namespace

std::vector<TimedPicture> SunTimesOfDay(const DynamicSchedule& schedule, double unixSeconds, int utcOffsetSeconds,
                                        const GeoPlace& place)
{
    // The sun each minute of the local day.
    constexpr int kSamples = 1440;
    const double midnight = LocalMidnight(unixSeconds, utcOffsetSeconds);
    std::array<SunPosition, kSamples> day;
    double lowest = 90;
    double highest = -90;
    for (int minute = 0; minute < kSamples; ++minute) {
        day[minute] = SunPositionAt(midnight + minute * 60.0, place);
        lowest = std::min(lowest, day[minute].altitude);
        highest = std::max(highest, day[minute].altitude);
    }

    std::vector<TimedPicture> times;
    const bool polarDay = lowest > kHorizon;
    const bool polarNight = highest < kHorizon;
    if (polarDay || polarNight) {
        const int chosen = polarDay ? schedule.light : schedule.dark;
        if (Valid(chosen, schedule.pictureCount)) {
            times.push_back(TimedPicture{chosen, 0});
            return times;
        }
        const std::vector<SunPicture> ordered = InSunOrder(schedule.sun);
        for (size_t i = 0; i < ordered.size(); ++i) {
            times.push_back(TimedPicture{ordered[i].picture, static_cast<double>(i) / ordered.size()});
        }
        return times;
    }

    for (const SunPicture& picture : schedule.sun) {
        const bool rising = picture.azimuth < 180;
        int best = -1;
        double bestDistance = 0;
        for (int minute = 0; minute < kSamples; ++minute) {
            if ((day[minute].hourAngle < 0) != rising) {
                continue;
            }
            const double distance = std::fabs(day[minute].altitude - picture.altitude);
            if (best < 0 || distance < bestDistance) {
                best = minute;
                bestDistance = distance;
            }
        }
        times.push_back(TimedPicture{picture.picture, std::max(best, 0) / static_cast<double>(kSamples)});
    }
    return times;
}

PictureBlend BlendAt(const DynamicSchedule& schedule, double unixSeconds, int utcOffsetSeconds, const GeoPlace& place)
{
    if (schedule.pictureCount <= 0 || !std::isfinite(unixSeconds)) {
        return Still(0);
    }
    const double dayFraction = Fraction((unixSeconds + utcOffsetSeconds) / kSecondsPerDay);
    switch (schedule.kind) {
    case DynamicSchedule::Kind::DayTimes: return BlendOfTimes(schedule.times, dayFraction);
    case DynamicSchedule::Kind::Sun:
        return BlendOfTimes(SunTimesOfDay(schedule, unixSeconds, utcOffsetSeconds, place), dayFraction);
    case DynamicSchedule::Kind::LightDark: return BlendOfLightDark(schedule, unixSeconds, place);
    case DynamicSchedule::Kind::Loop: return BlendOfLoop(schedule, unixSeconds, utcOffsetSeconds);
    }
    return Still(0);
}
