// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A HEIC file is dynamic when the XMP of its primary picture holds a
// schedule (dynamic_xmp.h) for its top-level pictures. Reading it touches no
// pixels: libheif reads the boxes, the XMP and the list of pictures.

#include "image/formats/dynamic/schedule_read.h"

#include <cstdint>
#include <span>

struct DynamicHeifRead {
    // False for a HEIC file without a schedule (a plain photo), or no HEIF file at all.
    bool Dynamic = false;
    // With Dynamic: the schedule, or why it is refused.
    ScheduleRead Read;
};

DynamicHeifRead ReadDynamicHeif(std::span<const uint8_t> bytes);
