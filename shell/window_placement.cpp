// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/window_placement.h"

#include <cstdint>

namespace {

int ClampAxis(int offset, int size, int screenSize)
{
    // Summed in 64 bits: a saved 2147483647 must not wrap round to a negative
    // place that then passes the test.
    std::int64_t place = offset;
    if (static_cast<std::int64_t>(screenSize) < place + size)
        place = static_cast<std::int64_t>(screenSize) - size;
    if (place < 0)
        place = 0;
    return static_cast<int>(place);
}

}  // namespace

WindowPlace ClampIntoScreen(int offsetX, int offsetY, int width, int height, int screenWidth, int screenHeight)
{
    return {ClampAxis(offsetX, width, screenWidth), ClampAxis(offsetY, height, screenHeight)};
}

WindowPlace PlaceToSave(WindowPlace saved, WindowPlace shown, bool placeKnown, bool movedByUser)
{
    return placeKnown && movedByUser ? shown : saved;
}
