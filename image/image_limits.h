// SPDX-License-Identifier: GPL-3.0-or-later
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

// The most pixels one byte of a compressed picture is taken to stand for.
// The best a real file reaches is far below (a blank picture in run-length
// codes, JPEG or LZW: a few thousand pixels a byte at the very most); a
// header that promises more is refused before the pixels are allocated.
inline constexpr int64_t kMaxPixelsPerByte = 8192;

// True when `storedBytes` of compressed data can plausibly hold width x
// height pixels.
bool StoredBytesCanHold(int64_t width, int64_t height, uint64_t storedBytes);

}  // namespace image_limits
