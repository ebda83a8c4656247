// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/linux/system/zone_tab_time_zone_place.h"

#include "base/sun/zone_place.h"

#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <iterator>

namespace platform {

namespace {

// The tables are about 20 kB; anything far larger is no table.
constexpr std::streamsize kMaxTableBytes = 1 << 20;

std::string ReadSmallFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::string text;
    if (!in) {
        return text;
    }
    text.resize(kMaxTableBytes);
    in.read(text.data(), kMaxTableBytes);
    text.resize(static_cast<size_t>(in.gcount()));
    return text;
}

std::string FirstLine(const std::string& text)
{
    std::string line = text.substr(0, text.find('\n'));
    while (!line.empty() && (line.back() == '\r' || line.back() == ' ')) {
        line.pop_back();
    }
    return line;
}

}  // namespace

ZoneTabTimeZonePlace::ZoneTabTimeZonePlace(std::string etcFolder, std::string zoneinfoFolder)
    : etcFolder_(std::move(etcFolder)), zoneinfoFolder_(std::move(zoneinfoFolder))
{}

std::optional<GeoPlace> ZoneTabTimeZonePlace::Place() const
{
    std::string zone;
    if (const char* tz = std::getenv("TZ"); tz && *tz) {
        zone = ZoneNameFrom(tz);
    }
    if (zone.empty()) {
        zone = ZoneNameFrom(FirstLine(ReadSmallFile(etcFolder_ + "/timezone")));
    }
    if (zone.empty()) {
        char target[4096];
        const ssize_t length = ::readlink((etcFolder_ + "/localtime").c_str(), target, sizeof target - 1);
        if (length > 0) {
            zone = ZoneNameFrom(std::string(target, static_cast<size_t>(length)));
        }
    }
    if (zone.empty()) {
        return std::nullopt;
    }
    std::string folder = zoneinfoFolder_;
    if (folder.empty()) {
        const char* tzdir = std::getenv("TZDIR");
        folder = tzdir && *tzdir ? tzdir : "/usr/share/zoneinfo";
    }
    for (const char* table : {"/zone1970.tab", "/zone.tab"}) {
        if (const std::optional<GeoPlace> place = ZonePlaceInTable(ReadSmallFile(folder + table), zone)) {
            return place;
        }
    }
    return std::nullopt;
}

}  // namespace platform
