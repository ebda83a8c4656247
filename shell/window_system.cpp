// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/window_system.h"

namespace {

bool Named(const char* value)
{
    return value && *value;
}

}  // namespace

const char* QtPlatformFor(const char* display, const char* waylandDisplay)
{
    if (!Named(display) && Named(waylandDisplay))
        return "wayland";
    return "xcb";
}

bool WindowPlaceKnown(const std::string& platformName)
{
    return platformName.rfind("wayland", 0) != 0;
}
