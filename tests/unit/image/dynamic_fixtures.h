// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Dynamic wallpapers written by the tests: schedules as binary property
// lists made by libplist, wrapped in XMP as base64, and HEIC files of small
// solid-colour pictures made by libheif's own encoder with that XMP on the
// first (primary) picture.

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace fixtures {

struct Rgb {
    uint8_t r = 0, g = 0, b = 0;
};

// {i, t} entries; a pair `ap` when light >= 0.
std::vector<uint8_t> H24Plist(const std::vector<std::pair<int, double>>& entries, int light = -1, int dark = -1);
struct SolarEntry {
    int i;
    double a;
    double z;
};
std::vector<uint8_t> SolarPlist(const std::vector<SolarEntry>& entries, int light = -1, int dark = -1);
std::vector<uint8_t> AprPlist(int light, int dark);

std::string Base64(const std::vector<uint8_t>& bytes);
// An XMP packet holding `property` ("h24", "solar", "apr") with that value.
std::string ScheduleXmp(const std::string& property, const std::string& value);

// A HEIC file of `colours.size()` top-level pictures, each one colour; the XMP (if any) on the first.
std::vector<uint8_t> EncodeDynamicHeif(const std::vector<Rgb>& colours, int width, int height, const std::string& xmp);
// The same with each picture a photo-like pattern tinted halfway to its colour.
std::vector<uint8_t> EncodeDynamicHeif(const std::vector<Rgb>& colours, int width, int height, const std::string& xmp,
                                       bool photo);

}  // namespace fixtures
