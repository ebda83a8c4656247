// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/sun/sun_position.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

constexpr double kDegree = std::numbers::pi / 180.0;

double Sin(double degrees)
{
    return std::sin(degrees * kDegree);
}
double Cos(double degrees)
{
    return std::cos(degrees * kDegree);
}
double Wrap360(double degrees)
{
    const double wrapped = std::fmod(degrees, 360.0);
    return wrapped < 0 ? wrapped + 360.0 : wrapped;
}

}  // namespace

SunPosition SunPositionAt(double unixSeconds, const GeoPlace& place)
{
    // Julian century from J2000.0.
    const double julianDay = unixSeconds / 86400.0 + 2440587.5;
    const double t = (julianDay - 2451545.0) / 36525.0;

    const double meanLongitude = Wrap360(280.46646 + t * (36000.76983 + t * 0.0003032));
    const double meanAnomaly = 357.52911 + t * (35999.05029 - 0.0001537 * t);
    const double eccentricity = 0.016708634 - t * (0.000042037 + 0.0000001267 * t);
    const double centre = Sin(meanAnomaly) * (1.914602 - t * (0.004817 + 0.000014 * t)) +
                          Sin(2 * meanAnomaly) * (0.019993 - 0.000101 * t) + Sin(3 * meanAnomaly) * 0.000289;
    const double omega = 125.04 - 1934.136 * t;
    const double apparentLongitude = meanLongitude + centre - 0.00569 - 0.00478 * Sin(omega);
    const double meanObliquity = 23.0 + (26.0 + (21.448 - t * (46.815 + t * (0.00059 - t * 0.001813))) / 60.0) / 60.0;
    const double obliquity = meanObliquity + 0.00256 * Cos(omega);
    const double declination = std::asin(Sin(obliquity) * Sin(apparentLongitude)) / kDegree;

    // The equation of time, in minutes.
    const double y = std::pow(std::tan(obliquity / 2 * kDegree), 2);
    const double equationOfTime = 4.0 / kDegree *
                                  (y * Sin(2 * meanLongitude) - 2 * eccentricity * Sin(meanAnomaly) +
                                   4 * eccentricity * y * Sin(meanAnomaly) * Cos(2 * meanLongitude) -
                                   0.5 * y * y * Sin(4 * meanLongitude) -
                                   1.25 * eccentricity * eccentricity * Sin(2 * meanAnomaly));

    // True solar time at the place, in minutes of its day; the hour angle from it.
    double utcMinutes = std::fmod(unixSeconds / 60.0, 1440.0);
    if (utcMinutes < 0) {
        utcMinutes += 1440.0;
    }
    const double solarMinutes = std::fmod(utcMinutes + equationOfTime + 4.0 * place.longitude + 2880.0, 1440.0);
    const double hourAngle = solarMinutes / 4.0 - 180.0;

    const double latitude = std::clamp(place.latitude, -90.0, 90.0);
    const double cosZenith = std::clamp(
        Sin(latitude) * Sin(declination) + Cos(latitude) * Cos(declination) * Cos(hourAngle), -1.0, 1.0);
    const double zenith = std::acos(cosZenith) / kDegree;

    // Azimuth from the north through the east; atan2 keeps it defined at the poles and at the zenith.
    const double azimuth = std::atan2(-Sin(hourAngle) * Cos(declination),
                                      Cos(latitude) * Sin(declination) -
                                          Sin(latitude) * Cos(declination) * Cos(hourAngle)) /
                           kDegree;

    return SunPosition{90.0 - zenith, Wrap360(azimuth), hourAngle};
}
