// SPDX-License-Identifier: GPL-3.0-or-later
// Dynamic wallpapers' schedules from hostile bytes: the first byte chooses
// the door (a binary property list of one of three kinds, an XMP packet, a
// timed XML background, a whole HEIC file). A schedule read must only name
// pictures the file has, and playing it over a day must stay within them.
#include "base/sun/schedule_blend.h"
#include "image/formats/dynamic/base64_text.h"
#include "image/formats/dynamic/dynamic_heif.h"
#include "image/formats/dynamic/dynamic_plist.h"
#include "image/formats/dynamic/dynamic_xmp.h"
#include "image/formats/dynamic/timed_xml.h"

#include <string_view>

namespace {

void Play(const ScheduleRead& read)
{
    if (!read.Schedule) {
        if (read.Reason.empty()) {
            __builtin_trap();
        }
        return;
    }
    const DynamicSchedule& s = *read.Schedule;
    for (double hour = 0; hour < 24; hour += 1.5) {
        const PictureBlend blend = BlendAt(s, 1718841600.0 + hour * 3600, 9 * 3600, GeoPlace{69.6, 18.9});
        if (blend.first < 0 || blend.first >= s.pictureCount || blend.second < 0 || blend.second >= s.pictureCount ||
            !(blend.fraction >= 0 && blend.fraction <= 1)) {
            __builtin_trap();
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 2) {
        return 0;
    }
    const std::span<const uint8_t> rest(data + 1, size - 1);
    static constexpr DynamicSchedule::Kind kKinds[] = {DynamicSchedule::Kind::DayTimes, DynamicSchedule::Kind::Sun,
                                                       DynamicSchedule::Kind::LightDark};
    switch (data[0] % 6) {
    case 0:
    case 1:
    case 2: Play(ReadDynamicPlist(kKinds[data[0] % 3], rest, 1 + data[0] / 6 % 32)); break;
    case 3:
        if (const auto found = FindScheduleInXmp({reinterpret_cast<const char*>(rest.data()), rest.size()})) {
            if (const auto plist = DecodeBase64(found->Base64)) {
                Play(ReadDynamicPlist(found->Kind, *plist, 16));
            }
        }
        break;
    case 4: {
        const TimedXmlRead read = ReadTimedXml(rest, "/tmp");
        if (read.Background) {
            Play(read.Read);
        }
        break;
    }
    default: {
        const DynamicHeifRead read = ReadDynamicHeif(rest);
        if (read.Dynamic) {
            Play(read.Read);
        }
        break;
    }
    }
    return 0;
}
