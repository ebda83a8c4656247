// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Writes small 24-bit BMP files for the wallpaper tests.

#include <cstdint>
#include <fstream>
#include <string>
#include <vector>

// pixels: 0xRRGGBB, top row first.
inline void WriteTestBmp(const std::string& path, int w, int h, const std::vector<std::uint32_t>& pixels)
{
    const int rowBytes = (w * 3 + 3) & ~3;
    const std::uint32_t dataSize = static_cast<std::uint32_t>(rowBytes * h);
    std::vector<unsigned char> out(54 + dataSize, 0);
    auto put32 = [&](std::size_t at, std::uint32_t v) {
        for (int i = 0; i < 4; ++i)
            out[at + i] = static_cast<unsigned char>(v >> (8 * i));
    };
    out[0] = 'B';
    out[1] = 'M';
    put32(2, 54 + dataSize);
    put32(10, 54);
    put32(14, 40);
    put32(18, static_cast<std::uint32_t>(w));
    put32(22, static_cast<std::uint32_t>(h));
    out[26] = 1;
    out[28] = 24;
    put32(34, dataSize);
    for (int y = 0; y < h; ++y) {
        unsigned char* row = &out[54 + static_cast<std::size_t>(h - 1 - y) * rowBytes];
        for (int x = 0; x < w; ++x) {
            const std::uint32_t p = pixels[static_cast<std::size_t>(y) * w + x];
            row[x * 3] = p & 0xff;
            row[x * 3 + 1] = (p >> 8) & 0xff;
            row[x * 3 + 2] = (p >> 16) & 0xff;
        }
    }
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(out.data()), static_cast<std::streamsize>(out.size()));
}
