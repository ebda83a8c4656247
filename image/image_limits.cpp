// SPDX-License-Identifier: GPL-3.0-or-later
#include "image/image_limits.h"

namespace image_limits {

namespace {
int64_t g_maxPixels = kDefaultMaxPixels;
}

int64_t MaxPixels()
{
    return g_maxPixels;
}

void SetMaxPixels(int64_t pixels)
{
    g_maxPixels = pixels;
}

bool Acceptable(int64_t width, int64_t height)
{
    if (width <= 0 || height <= 0 || width > (int64_t{1} << 30) || height > (int64_t{1} << 30))
        return false;
    return width * height <= g_maxPixels;
}

bool StoredBytesCanHold(int64_t width, int64_t height, uint64_t storedBytes, int64_t pixelsPerByte)
{
    if (width <= 0 || height <= 0 || pixelsPerByte <= 0 || pixelsPerByte > (int64_t{1} << 20))
        return false;
    const uint64_t most = storedBytes > (uint64_t{1} << 32) ? uint64_t{1} << 53
                                                            : storedBytes * static_cast<uint64_t>(pixelsPerByte);
    return static_cast<uint64_t>(width) * static_cast<uint64_t>(height) <= most;
}

}  // namespace image_limits
