// SPDX-License-Identifier: GPL-3.0-or-later
// Writes a dynamic HEIC file for the end-to-end tests and the benchmarks:
//
//     make_dynamic_heic [--photo] <out.heic> <width> <height> <rrggbb:altitude:azimuth>...
//     make_dynamic_heic [--photo] --h24 <out.heic> <width> <height> <rrggbb:dayfraction>...
//     make_dynamic_heic [--photo] --plain <out.heic> <width> <height> <rrggbb>...
//
// Each picture is one colour, or with --photo a photo-like pattern tinted
// halfway to it; the schedule places the pictures at places of the sun, at
// times of day (--h24), or is left out (--plain: an ordinary HEIC file of
// those pictures, the same pixels as in a dynamic one).
#include "../../unit/image/dynamic_fixtures.h"
#include "../../unit/image/image_fixtures.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

int main(int argc, char** argv)
{
    bool photo = false, h24 = false, plain = false;
    int arg = 1;
    for (; arg < argc && argv[arg][0] == '-'; ++arg) {
        photo = photo || !std::strcmp(argv[arg], "--photo");
        h24 = h24 || !std::strcmp(argv[arg], "--h24");
        plain = plain || !std::strcmp(argv[arg], "--plain");
    }
    if (argc - arg < 4) {
        std::fprintf(stderr, "usage: make_dynamic_heic [--photo] [--h24|--plain] <out.heic> <width> <height> "
                             "<rrggbb[:altitude:azimuth|:dayfraction]>...\n");
        return 2;
    }
    std::vector<fixtures::Rgb> colours;
    std::vector<fixtures::SolarEntry> sun;
    std::vector<std::pair<int, double>> times;
    for (int n = arg + 3; n < argc; ++n) {
        const std::string entry = argv[n];
        const unsigned long rgb = std::strtoul(entry.substr(0, 6).c_str(), nullptr, 16);
        colours.push_back({static_cast<uint8_t>(rgb >> 16), static_cast<uint8_t>(rgb >> 8), static_cast<uint8_t>(rgb)});
        const int picture = static_cast<int>(colours.size()) - 1;
        if (entry.size() <= 7) {
            continue;
        }
        if (h24) {
            times.push_back({picture, std::atof(entry.substr(7).c_str())});
        } else {
            const size_t colon = entry.find(':', 7);
            sun.push_back(
                {picture, std::atof(entry.substr(7, colon - 7).c_str()), std::atof(entry.substr(colon + 1).c_str())});
        }
    }
    const std::string xmp = plain ? std::string()
                            : h24 ? fixtures::ScheduleXmp("h24", fixtures::Base64(fixtures::H24Plist(times)))
                                  : fixtures::ScheduleXmp("solar", fixtures::Base64(fixtures::SolarPlist(sun)));
    const std::vector<uint8_t> file = fixtures::EncodeDynamicHeif(colours, std::atoi(argv[arg + 1]),
                                                                  std::atoi(argv[arg + 2]), xmp, photo);
    if (file.empty()) {
        std::fprintf(stderr, "make_dynamic_heic: libheif could not encode the pictures\n");
        return 1;
    }
    fixtures::WriteAll(argv[arg], file);
    return 0;
}
