#pragma once
// The largest picture any reader accepts. A few bytes of a compressed file can
// claim a picture of billions of pixels; such a file is a read failure, not an
// allocation of gigabytes.

#include <cstdint>

namespace image_limits {

// 64 megapixels: twice a 6000 x 4000 photo with room to spare.
inline constexpr int64_t kDefaultMaxPixels = int64_t{1} << 26;

int64_t MaxPixels();
// Lowers or raises the limit (the fuzzers lower it to keep each run short).
void SetMaxPixels(int64_t pixels);

// True when width x height is positive and within the limit.
bool Acceptable(int64_t width, int64_t height);

}  // namespace image_limits
