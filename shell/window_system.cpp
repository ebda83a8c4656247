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

std::string NoDisplayLine(const std::string& programName, const char* display, const char* waylandDisplay)
{
    const auto slash = programName.rfind('/');
    std::string name = slash == std::string::npos ? programName : programName.substr(slash + 1);
    if (name.empty())
        name = "zelvaro";
    const bool wayland = std::string(QtPlatformFor(display, waylandDisplay)) == "wayland";
    const char* asked = wayland ? waylandDisplay : display;
    if (!Named(asked))
        return name + ": cannot open display: neither DISPLAY nor WAYLAND_DISPLAY is set\n";
    return name + ": cannot open display " + asked + (wayland ? " (Wayland)" : "") + "\n";
}

bool WindowPlaceKnown(const std::string& platformName)
{
    return platformName.rfind("wayland", 0) != 0;
}
