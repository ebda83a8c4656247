// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Timed XML backgrounds: a `<background>` root holding a `<starttime>`
// (year, month, day, hour, minute, second, local time) and a loop of
// `<static>` (`<duration>` seconds, `<file>`) and `<transition>`
// (`<duration>`, `<from>`, `<to>`) steps that repeats from then on. Read
// through libxml2 with the network off and no document type allowed, so no
// entity is ever expanded. The files it names are its pictures: relative
// names are taken from the XML file's folder, and every one must be there.

#include "image/formats/dynamic/schedule_read.h"

#include <cstdint>
#include <span>
#include <string>
#include <vector>

struct TimedXmlRead {
    // False when the bytes are no XML document with a <background> root.
    bool Background = false;
    // With Background: the schedule, or why it is refused.
    ScheduleRead Read;
    // The picture files, numbered as the schedule numbers them.
    std::vector<std::string> Pictures;
};

TimedXmlRead ReadTimedXml(std::span<const uint8_t> bytes, const std::string& folder);
