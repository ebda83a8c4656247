// SPDX-License-Identifier: GPL-3.0-or-later
// The time zone's place from folders laid out as the system's: TZ first,
// then /etc/timezone, then the link /etc/localtime; zone1970.tab before zone.tab.
#include "platform/linux/system/zone_tab_time_zone_place.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>

namespace {

namespace fs = std::filesystem;

class ZoneTabPlace : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (const char* tz = std::getenv("TZ")) {
            savedTz_ = tz;
        }
        ::unsetenv("TZ");
        fs::create_directories(etc_);
        fs::create_directories(zoneinfo_ / "Asia");
        Write(zoneinfo_ / "zone1970.tab", "JP\t+353916+1394441\tAsia/Tokyo\n");
        Write(zoneinfo_ / "zone.tab", "JP\t+353916+1394441\tAsia/Tokyo\nIS\t+6409-02151\tAtlantic/Reykjavik\n");
    }
    void TearDown() override
    {
        fs::remove_all(root_);
        if (savedTz_) {
            ::setenv("TZ", savedTz_->c_str(), 1);
        } else {
            ::unsetenv("TZ");
        }
    }
    static void Write(const fs::path& path, const std::string& text) { std::ofstream(path) << text; }
    std::optional<GeoPlace> Place() const
    {
        return platform::ZoneTabTimeZonePlace(etc_.string(), zoneinfo_.string()).Place();
    }

    fs::path root_ = fs::temp_directory_path() / ("zelvaro-zone-" + std::to_string(::getpid()));
    fs::path etc_ = root_ / "etc";
    fs::path zoneinfo_ = root_ / "zoneinfo";
    std::optional<std::string> savedTz_;
};

TEST_F(ZoneTabPlace, FollowsTzThenTimezoneThenTheLocaltimeLink)
{
    EXPECT_FALSE(Place());
    fs::create_symlink(zoneinfo_ / "Asia" / "Tokyo", etc_ / "localtime");
    ASSERT_TRUE(Place());
    EXPECT_NEAR(Place()->latitude, 35.65, 0.01);
    // zone.tab holds what zone1970.tab lacks.
    Write(etc_ / "timezone", "Atlantic/Reykjavik\n");
    ASSERT_TRUE(Place());
    EXPECT_NEAR(Place()->longitude, -21.85, 0.01);
    ::setenv("TZ", ":Asia/Tokyo", 1);
    ASSERT_TRUE(Place());
    EXPECT_NEAR(Place()->longitude, 139.74, 0.01);
    // A zone no table places, and a POSIX rule, give no place.
    ::setenv("TZ", "UTC", 1);
    EXPECT_FALSE(Place());
    ::setenv("TZ", "JST-9", 1);
    EXPECT_FALSE(Place());
}

}  // namespace
