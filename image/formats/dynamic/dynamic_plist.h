// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The schedules a dynamic HEIC file carries as binary property lists (read
// through libplist):
//  - times of day: `ti`, an array of {`i` picture, `t` fraction of the day};
//  - places of the sun: `si`, an array of {`i` picture, `a` altitude,
//    `z` azimuth, `o` light or dark};
//  - a light/dark pair alone: {`l` light picture, `d` dark picture};
// the first two with an optional pair `ap` {`l`, `d`}. Every picture index
// must name one of the file's `pictureCount` pictures.

#include "image/formats/dynamic/schedule_read.h"

#include <cstdint>
#include <span>

ScheduleRead ReadDynamicPlist(DynamicSchedule::Kind kind, std::span<const uint8_t> binaryPlist, int pictureCount);
