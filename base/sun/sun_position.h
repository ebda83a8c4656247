// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Where the sun stands in the sky of a place at a moment, by NOAA's solar
// position equations (good to a fraction of a degree for centuries around
// 2000). No network, no tables.

// A place on the earth: degrees north and east (south and west negative).
struct GeoPlace {
    double latitude = 0;
    double longitude = 0;
};

// The sun seen from a place. Altitude in degrees above the horizon, geometric
// (no refraction: the sun's centre, -0.83 at the visible sunrise); azimuth in
// degrees clockwise from north (90 east, 180 south, 270 west). The hour angle
// in degrees is negative before the sun's highest point of the day and
// positive after it, so it tells rising from setting everywhere.
struct SunPosition {
    double altitude = 0;
    double azimuth = 0;
    double hourAngle = 0;
};

// `unixSeconds` is the moment in seconds since 1970-01-01 00:00 UTC.
SunPosition SunPositionAt(double unixSeconds, const GeoPlace& place);
