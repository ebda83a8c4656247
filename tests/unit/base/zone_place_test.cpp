// SPDX-License-Identifier: GPL-3.0-or-later
// A time zone's place from the time zone tables, and the zone's name from
// where the system keeps it.
#include "base/sun/zone_place.h"

#include <gtest/gtest.h>

namespace {

constexpr std::string_view kTable = "# tzdb timezone descriptions\n"
                                    "#codes\tcoordinates\tTZ\tcomments\n"
                                    "JP\t+353916+1394441\tAsia/Tokyo\n"
                                    "AU\t-3352+15113\tAustralia/Sydney\tNew South Wales (most areas)\n"
                                    "IS\t+6409-02151\tAtlantic/Reykjavik\r\n"
                                    "EC\t-0013-07830\tAmerica/Guayaquil\tEcuador (mainland)\n"
                                    "XX\t+9999+99999\tBroken/Zone\n"
                                    "YY\tsomewhere\tOther/Zone\n"
                                    "ZZ\t+1000+01000\n";

TEST(ZonePlace, CoordinatesComeFromTheZonesLine)
{
    const struct {
        const char* zone;
        bool found;
        double latitude;
        double longitude;
    } rows[] = {
        {"Asia/Tokyo", true, 35 + 39 / 60.0 + 16 / 3600.0, 139 + 44 / 60.0 + 41 / 3600.0},
        {"Australia/Sydney", true, -(33 + 52 / 60.0), 151 + 13 / 60.0},
        {"Atlantic/Reykjavik", true, 64 + 9 / 60.0, -(21 + 51 / 60.0)},
        {"America/Guayaquil", true, -(13 / 60.0), -(78 + 30 / 60.0)},
        {"Asia", false, 0, 0},
        {"Broken/Zone", false, 0, 0},
        {"Other/Zone", false, 0, 0},
        {"", false, 0, 0},
        {"UTC", false, 0, 0},
    };
    for (const auto& row : rows) {
        const std::optional<GeoPlace> place = ZonePlaceInTable(kTable, row.zone);
        ASSERT_EQ(place.has_value(), row.found) << row.zone;
        if (place) {
            EXPECT_NEAR(place->latitude, row.latitude, 1e-9) << row.zone;
            EXPECT_NEAR(place->longitude, row.longitude, 1e-9) << row.zone;
        }
    }
}

TEST(ZonePlace, TheZonesNameComesFromTzOrTheLinkOfLocaltime)
{
    const struct {
        const char* text;
        const char* name;
    } rows[] = {
        {"Asia/Tokyo", "Asia/Tokyo"},
        {":Europe/Berlin", "Europe/Berlin"},
        {"/usr/share/zoneinfo/America/Argentina/Buenos_Aires", "America/Argentina/Buenos_Aires"},
        {"../usr/share/zoneinfo/posix/Asia/Tokyo", "Asia/Tokyo"},
        {"/usr/share/zoneinfo/Etc/GMT+9", "Etc/GMT+9"},
        {"/etc/mytime", ""},
        {"JST-9", "JST-9"},
        {"Asia/../../etc/passwd", ""},
        {"", ""},
        {"Asia/To kyo", ""},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(ZoneNameFrom(row.text), row.name) << row.text;
    }
}

TEST(ZonePlace, PlaceTextNamesTheHemispheres)
{
    EXPECT_EQ(PlaceText(GeoPlace{35.6895, 139.6917}), "35.7\u00b0 N 139.7\u00b0 E");
    EXPECT_EQ(PlaceText(GeoPlace{-33.8688, -70.05}), "33.9\u00b0 S 70.0\u00b0 W");
}

}  // namespace
