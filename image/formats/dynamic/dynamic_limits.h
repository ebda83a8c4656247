// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// How much of a schedule a dynamic wallpaper may hold. Real files hold a few
// dozen pictures at most (16 is common); a file that lists thousands, or
// lasts longer than a year before it repeats, is refused, not played.

#include <cstdint>

namespace dynamic_limits {

// Pictures in one dynamic wallpaper, and entries in its schedule.
inline constexpr int kMaxPictures = 256;
inline constexpr int kMaxEntries = 1024;
// The property list as the XMP holds it (base64), and the timed XML file.
inline constexpr int64_t kMaxScheduleTextBytes = int64_t{1} << 20;
// One step of a timed loop lasts more than nothing and at most a year.
inline constexpr double kMaxStepSeconds = 366.0 * 86400.0;

}  // namespace dynamic_limits
