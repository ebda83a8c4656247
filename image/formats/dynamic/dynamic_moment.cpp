// SPDX-License-Identifier: GPL-3.0-or-later
#include "image/formats/dynamic/dynamic_moment.h"

#include <chrono>

namespace {

DynamicMomentSource& Source()
{
    static DynamicMomentSource source;
    return source;
}

}  // namespace

DynamicMoment CurrentDynamicMoment()
{
    if (Source()) {
        return Source()();
    }
    const auto now = std::chrono::system_clock::now().time_since_epoch();
    return DynamicMoment{std::chrono::duration<double>(now).count(), 0, GeoPlace{}};
}

void SetDynamicMomentSource(DynamicMomentSource source)
{
    Source() = std::move(source);
}
