// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/layer_clock_place.h"

#include "shell/window_placement.h"

#include <cstdint>

LayerClockPlace PlaceOnOutputs(int x, int y, int width, int height, const std::vector<OutputRect>& outputs)
{
    if (outputs.empty())
        return {};
    std::size_t on = 0;
    for (std::size_t i = 0; i < outputs.size(); ++i) {
        const OutputRect& r = outputs[i];
        // In 64 bits: a saved place near the int limits must not wrap into an output.
        const std::int64_t dx = std::int64_t(x) - r.x;
        const std::int64_t dy = std::int64_t(y) - r.y;
        if (dx >= 0 && dy >= 0 && dx < r.width && dy < r.height) {
            on = i;
            break;
        }
    }
    const OutputRect& r = outputs[on];
    const auto relative = [](int place, int origin) {
        const std::int64_t d = std::int64_t(place) - origin;
        return int(d < INT32_MIN ? INT32_MIN : d > INT32_MAX ? INT32_MAX : d);
    };
    const WindowPlace place = ClampIntoScreen(relative(x, r.x), relative(y, r.y), width, height, r.width, r.height);
    return {int(on), place.left, place.top};
}
