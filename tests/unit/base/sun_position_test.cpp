// SPDX-License-Identifier: GPL-3.0-or-later
// The sun's place in the sky against an independent method (sun_reference.py:
// the almanac's low-precision coordinates through sidereal time) at four
// cities on an equinox and both solstices of 2024.
#include "base/sun/sun_position.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

struct SunRow {
    const char* place;
    double latitude;
    double longitude;
    double unixSeconds;
    double altitude;
    double azimuth;
};

const SunRow kRows[] = {
    {"Tokyo", 35.6895, 139.6917, 1710896400, 46.24, 138.68},
    {"Tokyo", 35.6895, 139.6917, 1710918000, 21.80, 253.40},
    {"Tokyo", 35.6895, 139.6917, 1710939600, -46.15, 318.83},
    {"Tokyo", 35.6895, 139.6917, 1710961200, -21.56, 73.15},
    {"Tokyo", 35.6895, 139.6917, 1718845200, 64.61, 111.81},
    {"Tokyo", 35.6895, 139.6917, 1718866800, 33.74, 276.26},
    {"Tokyo", 35.6895, 139.6917, 1718888400, -26.06, 333.67},
    {"Tokyo", 35.6895, 139.6917, 1718910000, -5.26, 56.09},
    {"Tokyo", 35.6895, 139.6917, 1734742800, 26.38, 154.53},
    {"Tokyo", 35.6895, 139.6917, 1734764400, 4.66, 236.64},
    {"Tokyo", 35.6895, 139.6917, 1734786000, -65.23, 292.83},
    {"Tokyo", 35.6895, 139.6917, 1734807600, -33.09, 96.68},
    {"Reykjavik", 64.1466, -21.9426, 1710896400, -25.56, 350.23},
    {"Reykjavik", 64.1466, -21.9426, 1710918000, -3.76, 82.05},
    {"Reykjavik", 64.1466, -21.9426, 1710939600, 25.69, 170.26},
    {"Reykjavik", 64.1466, -21.9426, 1710961200, 4.04, 262.23},
    {"Reykjavik", 64.1466, -21.9426, 1718845200, -2.23, 353.26},
    {"Reykjavik", 64.1466, -21.9426, 1718866800, 17.86, 72.95},
    {"Reykjavik", 64.1466, -21.9426, 1718888400, 49.00, 169.66},
    {"Reykjavik", 64.1466, -21.9426, 1718910000, 24.16, 274.23},
    {"Reykjavik", 64.1466, -21.9426, 1734742800, -49.07, 350.93},
    {"Reykjavik", 64.1466, -21.9426, 1734764400, -23.78, 95.02},
    {"Reykjavik", 64.1466, -21.9426, 1734786000, 2.27, 174.01},
    {"Reykjavik", 64.1466, -21.9426, 1734807600, -18.19, 253.63},
    {"Sydney", -33.8688, 151.2093, 1710896400, 53.12, 26.71},
    {"Sydney", -33.8688, 151.2093, 1710918000, 12.89, 278.92},
    {"Sydney", -33.8688, 151.2093, 1710939600, -53.25, 206.74},
    {"Sydney", -33.8688, 151.2093, 1710961200, -13.05, 98.62},
    {"Sydney", -33.8688, 151.2093, 1718845200, 31.13, 15.24},
    {"Sydney", -33.8688, 151.2093, 1718866800, -1.99, 297.13},
    {"Sydney", -33.8688, 151.2093, 1718888400, -73.77, 233.72},
    {"Sydney", -33.8688, 151.2093, 1718910000, -24.14, 77.05},
    {"Sydney", -33.8688, 151.2093, 1734742800, 74.37, 51.61},
    {"Sydney", -33.8688, 151.2093, 1734764400, 23.42, 256.63},
    {"Sydney", -33.8688, 151.2093, 1734786000, -31.30, 194.38},
    {"Sydney", -33.8688, 151.2093, 1734807600, 2.58, 116.69},
    {"Quito", -0.1807, -78.4678, 1710896400, -24.67, 269.88},
    {"Quito", -0.1807, -78.4678, 1710918000, -65.31, 90.24},
    {"Quito", -0.1807, -78.4678, 1710939600, 24.71, 89.74},
    {"Quito", -0.1807, -78.4678, 1710961200, 65.27, 271.02},
    {"Quito", -0.1807, -78.4678, 1718845200, -23.91, 295.70},
    {"Quito", -0.1807, -78.4678, 1718866800, -55.60, 45.63},
    {"Quito", -0.1807, -78.4678, 1718888400, 23.73, 64.16},
    {"Quito", -0.1807, -78.4678, 1718910000, 55.36, 314.77},
    {"Quito", -0.1807, -78.4678, 1734742800, -24.55, 243.98},
    {"Quito", -0.1807, -78.4678, 1734764400, -54.72, 133.88},
    {"Quito", -0.1807, -78.4678, 1734786000, 24.65, 115.86},
    {"Quito", -0.1807, -78.4678, 1734807600, 55.02, 226.43},
};

double AngleBetween(double a, double b)
{
    const double d = std::fmod(std::fabs(a - b), 360.0);
    return d > 180.0 ? 360.0 - d : d;
}

TEST(SunPosition, MatchesTheReferenceWithinHalfADegree)
{
    for (const SunRow& row : kRows) {
        const SunPosition sun = SunPositionAt(row.unixSeconds, GeoPlace{row.latitude, row.longitude});
        SCOPED_TRACE(std::string(row.place) + " at " + std::to_string(static_cast<long long>(row.unixSeconds)));
        EXPECT_NEAR(sun.altitude, row.altitude, 0.5);
        EXPECT_LT(AngleBetween(sun.azimuth, row.azimuth), 0.5);
        // The hour angle tells the morning from the afternoon: the sun stands east of the
        // meridian before its highest point.
        if (std::fabs(sun.hourAngle) > 1 && std::fabs(sun.hourAngle) < 179 && std::fabs(row.latitude) < 60) {
            EXPECT_EQ(sun.hourAngle < 0, row.azimuth < 180) << sun.hourAngle;
        }
    }
}

TEST(SunPosition, StaysDefinedAtThePolesAndBeforeTheEpoch)
{
    for (const double latitude : {90.0, -90.0, 89.9999}) {
        const SunPosition sun = SunPositionAt(1718841600.0, GeoPlace{latitude, 0});
        EXPECT_TRUE(std::isfinite(sun.altitude) && std::isfinite(sun.azimuth));
        // At the pole the sun's altitude is its declination: 23.4 in June, in the north.
        EXPECT_NEAR(std::fabs(sun.altitude), 23.4, 0.3);
    }
    const SunPosition old = SunPositionAt(-86400.0 * 365 * 30, GeoPlace{35, 139});
    EXPECT_TRUE(std::isfinite(old.altitude) && old.azimuth >= 0 && old.azimuth < 360);
}

}  // namespace
