// SPDX-License-Identifier: GPL-3.0-or-later
// Which two pictures of a dynamic wallpaper show, and how far blended, over
// days at several places and seasons. The sunrise and sunset minutes come from
// sun_reference.py's independent method (the sun's centre at altitude 0).
#include "base/sun/schedule_blend.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

namespace {

constexpr double kDay = 86400.0;

// 2024-01-01 00:00 UTC and the days from it.
double UtcMidnight(int dayOfYear2024)
{
    return 1704067200.0 + (dayOfYear2024 - 1) * kDay;
}
constexpr int kMarch20 = 80;
constexpr int kJune20 = 172;
constexpr int kDecember21 = 356;

// The moment of a local minute of a day, for a zone `offsetHours` east of UTC.
double LocalMinute(int dayOfYear, int offsetHours, double minute)
{
    return UtcMidnight(dayOfYear) - offsetHours * 3600.0 + minute * 60.0;
}

// Dawn, the morning, the afternoon, dusk and the night, as a solar dynamic
// file gives them; the last two form the light/dark pair.
DynamicSchedule FiveSuns()
{
    DynamicSchedule schedule;
    schedule.kind = DynamicSchedule::Kind::Sun;
    schedule.pictureCount = 5;
    // Listed out of the sun's order, as files may.
    schedule.sun = {{4, -30, 350}, {0, 0, 90}, {1, 25, 150}, {2, 25, 210}, {3, 0, 270}};
    return schedule;
}

double TimeOf(const std::vector<TimedPicture>& times, int picture)
{
    for (const TimedPicture& t : times) {
        if (t.picture == picture) {
            return t.dayFraction * 1440.0;
        }
    }
    return -1;
}

TEST(ScheduleBlend, DayTimesBlendBetweenNeighboursAroundTheClock)
{
    DynamicSchedule schedule;
    schedule.pictureCount = 4;
    schedule.times = {{2, 0.5}, {0, 0.0}, {3, 0.75}, {1, 0.25}, {1, 0.25}};
    struct Row {
        int offsetHours;
        double utcHour;
        PictureBlend expected;
    } rows[] = {
        {0, 6, {1, 2, 0}},   {0, 9, {1, 2, 0.5}},      {0, 23, {3, 0, 5.0 / 6}}, {0, 3, {0, 1, 0.5}},
        {9, 0, {1, 2, 0.5}}, {-5, 2, {3, 0, 3.0 / 6}}, {0, 0, {0, 1, 0}},        {0, 17.999, {2, 3, 0.99983}},
    };
    for (const Row& row : rows) {
        const PictureBlend blend = BlendAt(schedule, UtcMidnight(kMarch20) + row.utcHour * 3600, row.offsetHours * 3600,
                                           GeoPlace{});
        SCOPED_TRACE(std::to_string(row.utcHour) + " UTC at offset " + std::to_string(row.offsetHours));
        EXPECT_EQ(blend.first, row.expected.first);
        EXPECT_EQ(blend.second, row.expected.second);
        EXPECT_NEAR(blend.fraction, row.expected.fraction, 1e-3);
    }
    // One time only: that picture all day.
    schedule.times = {{3, 0.4}, {2, 0.4}};
    const PictureBlend still = BlendAt(schedule, UtcMidnight(kMarch20), 0, GeoPlace{});
    EXPECT_EQ(still.first, still.second);
    EXPECT_EQ(still.fraction, 0);
}

TEST(ScheduleBlend, SunPicturesFallWhereTheSunStandsAtThatPlaceAndSeason)
{
    struct Row {
        const char* place;
        GeoPlace where;
        int offsetHours;
        int day;
        double sunriseMinute;
        double sunsetMinute;
    } rows[] = {
        {"Tokyo, equinox", {35.6895, 139.6917}, 9, kMarch20, 349.2, 1069.0},
        {"Tokyo, winter", {35.6895, 139.6917}, 9, kDecember21, 411.8, 987.0},
        {"Sydney, winter", {-33.8688, 151.2093}, 10, kJune20, 424.5, 1009.2},
        {"Quito, December", {-0.1807, -78.4678}, -5, kDecember21, 372.0, 1092.8},
        {"Reykjavik, equinox", {64.1466, -21.9426}, 0, kMarch20, 454.7, 1177.3},
        {"Reykjavik, midsummer", {64.1466, -21.9426}, 0, kJune20, 195.7, 1423.5},
    };
    const DynamicSchedule schedule = FiveSuns();
    for (const Row& row : rows) {
        SCOPED_TRACE(row.place);
        const double noonish = LocalMinute(row.day, row.offsetHours, 720);
        const std::vector<TimedPicture> times = SunTimesOfDay(schedule, noonish, row.offsetHours * 3600, row.where);
        ASSERT_EQ(times.size(), 5u);
        EXPECT_NEAR(TimeOf(times, 0), row.sunriseMinute, 3);
        EXPECT_NEAR(TimeOf(times, 3), row.sunsetMinute, 3);
        // The morning's 25 degrees come before the afternoon's, between sunrise and sunset.
        EXPECT_GT(TimeOf(times, 1), TimeOf(times, 0));
        EXPECT_GT(TimeOf(times, 2), TimeOf(times, 1));
        EXPECT_GT(TimeOf(times, 3), TimeOf(times, 2));

        // Halfway from sunrise to the morning picture the two blend half and half.
        const double halfway = (TimeOf(times, 0) + TimeOf(times, 1)) / 2;
        const PictureBlend morning = BlendAt(schedule, LocalMinute(row.day, row.offsetHours, halfway),
                                             row.offsetHours * 3600, row.where);
        EXPECT_EQ(morning.first, 0);
        EXPECT_EQ(morning.second, 1);
        EXPECT_NEAR(morning.fraction, 0.5, 0.01);
        // The same day at any other place of the zone's clock is the same day: a moment
        // late in the evening still blends the day's own pictures.
        const PictureBlend lateEvening = BlendAt(schedule, LocalMinute(row.day, row.offsetHours, 1439),
                                                 row.offsetHours * 3600, row.where);
        EXPECT_TRUE(lateEvening.first == 3 || lateEvening.first == 4) << lateEvening.first;
    }
}

TEST(ScheduleBlend, PolarDayAndNightFallBackToTheLightDarkPairOrAnEvenSpread)
{
    const GeoPlace tromso{69.6492, 18.9553};
    DynamicSchedule paired = FiveSuns();
    paired.light = 1;
    paired.dark = 4;
    const DynamicSchedule unpaired = FiveSuns();
    struct Row {
        const char* name;
        int day;
        int offsetHours;
        int pairedPicture;
    } rows[] = {{"polar day", kJune20, 2, 1}, {"polar night", kDecember21, 1, 4}};
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        for (const double minute : {0.0, 360.0, 720.0, 1080.0, 1439.0}) {
            const PictureBlend blend = BlendAt(paired, LocalMinute(row.day, row.offsetHours, minute),
                                               row.offsetHours * 3600, tromso);
            EXPECT_EQ(blend.first, row.pairedPicture);
            EXPECT_EQ(blend.second, row.pairedPicture);
        }
        // Without the pair, the five pictures in the sun's order, a fifth of the day each.
        const std::vector<TimedPicture> times = SunTimesOfDay(unpaired, LocalMinute(row.day, row.offsetHours, 720),
                                                              row.offsetHours * 3600, tromso);
        ASSERT_EQ(times.size(), 5u);
        for (int picture = 0; picture < 5; ++picture) {
            EXPECT_NEAR(TimeOf(times, picture), picture * 1440.0 / 5, 1e-6);
        }
        const PictureBlend spread = BlendAt(unpaired, LocalMinute(row.day, row.offsetHours, 144),
                                            row.offsetHours * 3600, tromso);
        EXPECT_EQ(spread.first, 0);
        EXPECT_EQ(spread.second, 1);
        EXPECT_NEAR(spread.fraction, 0.5, 1e-6);
    }
}

TEST(ScheduleBlend, LightDarkFollowsTheSunThroughTwilight)
{
    DynamicSchedule schedule;
    schedule.kind = DynamicSchedule::Kind::LightDark;
    schedule.pictureCount = 2;
    schedule.light = 1;
    schedule.dark = 0;
    const GeoPlace tokyo{35.6895, 139.6917};
    const PictureBlend noon = BlendAt(schedule, LocalMinute(kMarch20, 9, 720), 9 * 3600, tokyo);
    const PictureBlend midnight = BlendAt(schedule, LocalMinute(kMarch20, 9, 0), 9 * 3600, tokyo);
    const PictureBlend dusk = BlendAt(schedule, LocalMinute(kMarch20, 9, 1069 + 12), 9 * 3600, tokyo);
    EXPECT_EQ(noon.first, 1);
    EXPECT_EQ(noon.second, 1);
    EXPECT_EQ(midnight.first, 0);
    EXPECT_EQ(midnight.second, 0);
    EXPECT_EQ(dusk.first, 1);
    EXPECT_EQ(dusk.second, 0);
    EXPECT_GT(dusk.fraction, 0.1);
    EXPECT_LT(dusk.fraction, 0.9);
}

TEST(ScheduleBlend, LoopsRunFromTheirStartAndRepeat)
{
    DynamicSchedule schedule;
    schedule.kind = DynamicSchedule::Kind::Loop;
    schedule.pictureCount = 2;
    schedule.loopStart = UtcMidnight(kMarch20) + 8 * 3600;  // 08:00 local
    schedule.loop = {{0, 0, 3600, false}, {0, 1, 1800, true}, {1, 1, 3600, false}, {1, 0, 1800, true}};
    struct Row {
        double localHour;
        PictureBlend expected;
    } rows[] = {
        {8.5, {0, 0, 0}},  {9.25, {0, 1, 0.5}}, {10, {1, 1, 0}},         {10.75, {1, 0, 0.5}},
        {11.5, {0, 0, 0}}, {7.75, {1, 0, 0.5}}, {8 + 3 * 24, {0, 0, 0}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.localHour);
        // Nine hours east of UTC: the loop's start is local time.
        const PictureBlend blend = BlendAt(schedule, UtcMidnight(kMarch20) + (row.localHour - 9) * 3600, 9 * 3600,
                                           GeoPlace{});
        EXPECT_EQ(blend.first, row.expected.first);
        EXPECT_EQ(blend.second, row.expected.second);
        EXPECT_NEAR(blend.fraction, row.expected.fraction, 1e-6);
    }
}

TEST(ScheduleBlend, EmptyAndOutOfRangeSchedulesGiveTheFirstPicture)
{
    DynamicSchedule empty;
    const PictureBlend none = BlendAt(empty, 0, 0, GeoPlace{});
    EXPECT_EQ(none.first, 0);
    DynamicSchedule loop;
    loop.kind = DynamicSchedule::Kind::Loop;
    loop.pictureCount = 1;
    loop.loop = {{0, 0, 0, false}};
    EXPECT_EQ(BlendAt(loop, 1e9, 0, GeoPlace{}).first, 0);
    EXPECT_EQ(BlendAt(FiveSuns(), std::nan(""), 0, GeoPlace{}).first, 0);
}

}  // namespace
