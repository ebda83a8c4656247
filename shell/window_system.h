// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The window system the program runs on: X11 (directly or through Xwayland)
// where a display is named, else natively on Wayland.

#include <string>

// The Qt platform to ask for, given DISPLAY and WAYLAND_DISPLAY (null when
// unset): "xcb" where an X display is named, since placing the window and
// keeping it on top work there; "wayland" with only a Wayland display (a
// compositor without Xwayland); "xcb" with neither, whose failure names the
// missing display.
const char* QtPlatformFor(const char* display, const char* waylandDisplay);

// The one line said when the window system cannot be reached, naming the
// display asked for: "zelvaro: cannot open display :5" (`programName` is
// argv[0]); with no display named it says which variables were looked at.
std::string NoDisplayLine(const std::string& programName, const char* display, const char* waylandDisplay);

// Whether a window's place can be read back on the Qt platform named
// `platformName` (native Wayland never tells a window where it is).
bool WindowPlaceKnown(const std::string& platformName);
