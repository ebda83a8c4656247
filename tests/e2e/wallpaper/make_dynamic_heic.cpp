// SPDX-License-Identifier: GPL-3.0-or-later
// Writes a dynamic HEIC file of solid-colour pictures for the end-to-end
// tests, with a schedule of places of the sun:
//
//     make_dynamic_heic <out.heic> <width> <height> <rrggbb:altitude:azimuth>...
#include "../../unit/image/dynamic_fixtures.h"
#include "../../unit/image/image_fixtures.h"

#include <cstdio>
#include <cstdlib>
#include <string>

int main(int argc, char** argv)
{
    if (argc < 5) {
        std::fprintf(stderr, "usage: make_dynamic_heic <out.heic> <width> <height> <rrggbb:altitude:azimuth>...\n");
        return 2;
    }
    std::vector<fixtures::Rgb> colours;
    std::vector<fixtures::SolarEntry> entries;
    for (int n = 4; n < argc; ++n) {
        const std::string arg = argv[n];
        const unsigned long rgb = std::strtoul(arg.substr(0, 6).c_str(), nullptr, 16);
        const size_t colon = arg.find(':', 7);
        colours.push_back({static_cast<uint8_t>(rgb >> 16), static_cast<uint8_t>(rgb >> 8), static_cast<uint8_t>(rgb)});
        entries.push_back(
            {n - 4, std::atof(arg.substr(7, colon - 7).c_str()), std::atof(arg.substr(colon + 1).c_str())});
    }
    const std::string xmp = fixtures::ScheduleXmp("solar", fixtures::Base64(fixtures::SolarPlist(entries)));
    const std::vector<uint8_t> file = fixtures::EncodeDynamicHeif(colours, std::atoi(argv[2]), std::atoi(argv[3]), xmp);
    if (file.empty()) {
        std::fprintf(stderr, "make_dynamic_heic: libheif could not encode the pictures\n");
        return 1;
    }
    fixtures::WriteAll(argv[1], file);
    return 0;
}
