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

}  // namespace image_limits
