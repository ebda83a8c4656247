// SPDX-License-Identifier: GPL-3.0-or-later
#include "image/formats/dynamic/dynamic_plist.h"

#include "image/formats/dynamic/dynamic_limits.h"

#include <plist/plist.h>

#include <cmath>
#include <memory>

namespace {

struct PlistFree {
    void operator()(void* node) const { plist_free(static_cast<plist_t>(node)); }
};
using HeldPlist = std::unique_ptr<void, PlistFree>;

// A number of the list, whole or not; nothing for another type or a value beyond a double's.
std::optional<double> Number(plist_t node)
{
    if (!node) {
        return std::nullopt;
    }
    switch (plist_get_node_type(node)) {
    case PLIST_UINT: {
        uint64_t value = 0;
        plist_get_uint_val(node, &value);
        // Negative numbers come back as their two's complement.
        return static_cast<double>(static_cast<int64_t>(value));
    }
    case PLIST_REAL: {
        double value = 0;
        plist_get_real_val(node, &value);
        return std::isfinite(value) ? std::optional<double>(value) : std::nullopt;
    }
    default: return std::nullopt;
    }
}

// A picture index of the file, or -1.
int PictureIndex(plist_t dict, const char* key, int pictureCount)
{
    const std::optional<double> value = Number(plist_dict_get_item(dict, key));
    if (!value || *value < 0 || *value >= pictureCount || *value != std::floor(*value)) {
        return -1;
    }
    return static_cast<int>(*value);
}

bool IsDict(plist_t node)
{
    return node && plist_get_node_type(node) == PLIST_DICT;
}

// The `l` and `d` of a pair; a pair that is there must name two of the pictures.
bool ReadPair(plist_t pair, int pictureCount, DynamicSchedule& schedule)
{
    if (!pair) {
        return true;
    }
    if (!IsDict(pair)) {
        return false;
    }
    schedule.light = PictureIndex(pair, "l", pictureCount);
    schedule.dark = PictureIndex(pair, "d", pictureCount);
    return schedule.light >= 0 && schedule.dark >= 0;
}

// The entries of `ti` or `si`, each checked by `read`.
template <class Read>
ScheduleRead ReadEntries(plist_t root, const char* key, int pictureCount, DynamicSchedule schedule, Read read)
{
    const plist_t entries = plist_dict_get_item(root, key);
    if (!entries || plist_get_node_type(entries) != PLIST_ARRAY) {
        return ScheduleRead::Refused(std::string("its schedule has no list \"") + key + "\"");
    }
    const uint32_t count = plist_array_get_size(entries);
    if (count == 0 || count > static_cast<uint32_t>(dynamic_limits::kMaxEntries)) {
        return ScheduleRead::Refused("its schedule holds " + std::to_string(count) + " entries (1 to " +
                                     std::to_string(dynamic_limits::kMaxEntries) + " are played)");
    }
    for (uint32_t n = 0; n < count; ++n) {
        const plist_t entry = plist_array_get_item(entries, n);
        if (!IsDict(entry) || !read(entry, schedule)) {
            return ScheduleRead::Refused("entry " + std::to_string(n + 1) + " of its schedule is damaged or names no " +
                                         "picture of the file");
        }
    }
    if (!ReadPair(plist_dict_get_item(root, "ap"), pictureCount, schedule)) {
        return ScheduleRead::Refused("its light/dark pair names no picture of the file");
    }
    ScheduleRead out;
    out.Schedule = std::move(schedule);
    return out;
}

}  // namespace

ScheduleRead ReadDynamicPlist(DynamicSchedule::Kind kind, std::span<const uint8_t> binaryPlist, int pictureCount)
{
    if (pictureCount <= 0 || pictureCount > dynamic_limits::kMaxPictures) {
        return ScheduleRead::Refused("it holds " + std::to_string(pictureCount) + " pictures (1 to " +
                                     std::to_string(dynamic_limits::kMaxPictures) + " are played)");
    }
    if (binaryPlist.empty() || binaryPlist.size() > static_cast<size_t>(dynamic_limits::kMaxScheduleTextBytes) ||
        !plist_is_binary(reinterpret_cast<const char*>(binaryPlist.data()),
                         static_cast<uint32_t>(binaryPlist.size()))) {
        return ScheduleRead::Refused("its schedule is not a property list");
    }
    plist_t parsed = nullptr;
    plist_from_bin(reinterpret_cast<const char*>(binaryPlist.data()), static_cast<uint32_t>(binaryPlist.size()),
                   &parsed);
    const HeldPlist root(parsed);
    if (!IsDict(parsed)) {
        return ScheduleRead::Refused("its schedule is not a property list");
    }

    DynamicSchedule schedule;
    schedule.kind = kind;
    schedule.pictureCount = pictureCount;
    switch (kind) {
    case DynamicSchedule::Kind::DayTimes:
        return ReadEntries(parsed, "ti", pictureCount, std::move(schedule), [&](plist_t entry, DynamicSchedule& s) {
            const int picture = PictureIndex(entry, "i", pictureCount);
            const std::optional<double> t = Number(plist_dict_get_item(entry, "t"));
            if (picture < 0 || !t || *t < 0 || *t > 1) {
                return false;
            }
            s.times.push_back(TimedPicture{picture, *t >= 1 ? 0 : *t});
            return true;
        });
    case DynamicSchedule::Kind::Sun:
        return ReadEntries(parsed, "si", pictureCount, std::move(schedule), [&](plist_t entry, DynamicSchedule& s) {
            const int picture = PictureIndex(entry, "i", pictureCount);
            const std::optional<double> altitude = Number(plist_dict_get_item(entry, "a"));
            const std::optional<double> azimuth = Number(plist_dict_get_item(entry, "z"));
            if (picture < 0 || !altitude || !azimuth || std::fabs(*altitude) > 90 || *azimuth < 0 || *azimuth > 360) {
                return false;
            }
            s.sun.push_back(SunPicture{picture, *altitude, *azimuth >= 360 ? 0 : *azimuth});
            return true;
        });
    case DynamicSchedule::Kind::LightDark:
        if (!ReadPair(parsed, pictureCount, schedule)) {
            return ScheduleRead::Refused("its light/dark pair names no picture of the file");
        }
        break;
    case DynamicSchedule::Kind::Loop: return ScheduleRead::Refused("its schedule is not a property list");
    }
    ScheduleRead out;
    out.Schedule = std::move(schedule);
    return out;
}
