// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Pictures made in code for the image tests and benchmarks: a photo-like RGB
// pattern, and files written with the same libraries the readers use.

#include <cstdint>
#include <string>
#include <vector>

namespace fixtures {

// Top-down RGB, three bytes a pixel: smooth gradients with some detail.
std::vector<uint8_t> PhotoRgb(int width, int height);

// Each returns false when the library refused to write.
bool WriteJpeg(const std::string& path, const std::vector<uint8_t>& rgb, int width, int height, bool grey = false,
               int quality = 90);
std::vector<uint8_t> EncodeJpeg(const std::vector<uint8_t>& rgb, int width, int height, bool grey = false,
                                int quality = 90);
// Indexed GIF with a colour map of 2^bits entries, pixel (x, y) of the frame
// holding index (x + y) mod 2^bits; the frame may be placed anywhere on (or
// off) the screen, stored interlaced, and have a transparent index.
bool WriteGif(const std::string& path, int bits, int screenW, int screenH, int left, int top, int frameW, int frameH,
              bool interlaced = false, int transparent = -1);
// TIFF: bits 1 (black and white stripes), 8 (palette), 24 (RGB) or 48
// (16-bit RGB); `tiled` stores 16 x 16 tiles (24 and 48 bits). Compression
// 0 means PackBits for 1 bit and LZW otherwise; `bottomUp` stores the rows
// bottom first (orientation 4) in the same file order.
bool WriteTiff(const std::string& path, int bits, int width, int height, bool tiled = false, int compression = 0,
               bool bottomUp = false);

std::vector<uint8_t> ReadAll(const std::string& path);
void WriteAll(const std::string& path, const std::vector<uint8_t>& bytes);

}  // namespace fixtures
