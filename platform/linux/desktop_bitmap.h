#pragma once
// A bitmap file read into pixels for the desktop backends. Kept free of Qt
// and Xlib types so either side can include it.

#include <cstdint>
#include <memory>
#include <string>

namespace platform {

struct DesktopBitmap {
    int width = 0;
    int height = 0;
    int stride = 0;                        // pixels from one row to the next
    const std::uint32_t* pixels = nullptr; // 0xffRRGGBB, top row first
    std::shared_ptr<const void> owner;     // keeps the pixels alive

    const std::uint32_t* Row(int y) const { return pixels + static_cast<std::size_t>(y) * stride; }
};

// Reads a BMP file (any depth). False when it is missing, unreadable, not a
// bitmap, broken, or too large to hold in memory.
bool LoadDesktopBitmap(const std::string& path, DesktopBitmap& bitmap);

}  // namespace platform
