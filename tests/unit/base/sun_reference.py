#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Prints the reference rows of sun_position_test.cpp.

The sun here comes from a different method than the program's: the
almanac's low-precision solar coordinates (mean anomaly and longitude to
right ascension and declination) turned into the sky of a place through
Greenwich mean sidereal time, not through the equation of time. Good to
about 0.01 degree from 1950 to 2050; the altitude is geometric (no
refraction).

    sun_reference.py
"""
import calendar
import math

PLACES = [("Tokyo", 35.6895, 139.6917), ("Reykjavik", 64.1466, -21.9426),
          ("Sydney", -33.8688, 151.2093), ("Quito", -0.1807, -78.4678)]
# Solstices and equinoxes of 2024, at a few hours of the day (UTC).
DAYS = [(2024, 3, 20), (2024, 6, 20), (2024, 12, 21)]
HOURS = [1, 7, 13, 19]


def sun(unix, lat, lon):
    d = unix / 86400.0 + 2440587.5 - 2451545.0
    g = math.radians((357.529 + 0.98560028 * d) % 360)
    q = (280.459 + 0.98564736 * d) % 360
    ecl_lon = math.radians(q + 1.915 * math.sin(g) + 0.020 * math.sin(2 * g))
    eps = math.radians(23.439 - 0.00000036 * d)
    ra = math.atan2(math.cos(eps) * math.sin(ecl_lon), math.cos(ecl_lon))
    dec = math.asin(math.sin(eps) * math.sin(ecl_lon))
    gmst_hours = (18.697374558 + 24.06570982441908 * d) % 24
    ha = math.radians(gmst_hours * 15 + lon) - ra
    phi = math.radians(lat)
    alt = math.asin(math.sin(phi) * math.sin(dec) + math.cos(phi) * math.cos(dec) * math.cos(ha))
    az = math.atan2(-math.sin(ha) * math.cos(dec),
                    math.cos(phi) * math.sin(dec) - math.sin(phi) * math.cos(dec) * math.cos(ha))
    return math.degrees(alt), math.degrees(az) % 360


for name, lat, lon in PLACES:
    for (y, m, day) in DAYS:
        for h in HOURS:
            unix = calendar.timegm((y, m, day, h, 0, 0))
            alt, az = sun(unix, lat, lon)
            print(f'    {{"{name}", {lat}, {lon}, {unix}, {alt:.2f}, {az:.2f}}},')
