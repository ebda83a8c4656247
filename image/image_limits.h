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

// Deflate stores at best 1032 bytes in one, and a byte of a PNG holds up to
// eight 1-bit pixels: a flat black-and-white PNG reaches over 8000 pixels a
// byte, so PNG headers are held to twice the common rule.
inline constexpr int64_t kMaxPixelsPerByteDeflated = 2 * kMaxPixelsPerByte;

// The newer codecs code a flat picture in far less: HEVC and AV1 skip whole
// blocks (a flat 12-megapixel HEIC is about a kilobyte), and lossless WebP and
// JPEG XL repeat one colour for any length (a flat screen-sized picture is a
// few dozen bytes). Their headers are held to these instead.
inline constexpr int64_t kMaxPixelsPerByteSkippingBlocks = int64_t{1} << 16;
inline constexpr int64_t kMaxPixelsPerByteRepeating = int64_t{1} << 20;

// True when `storedBytes` of compressed data can plausibly hold width x
// height pixels, at `pixelsPerByte` at the most.
bool StoredBytesCanHold(int64_t width, int64_t height, uint64_t storedBytes, int64_t pixelsPerByte = kMaxPixelsPerByte);

}  // namespace image_limits
