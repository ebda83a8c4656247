// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What XRandR says about the screen: the connected outputs' names (which XFCE
// keys its backdrop by) and the monitors' rectangles (where a centred
// wallpaper is centred). No Xlib header here, so Qt code may include it.

#include <optional>
#include <string>
#include <vector>

struct _XDisplay;

namespace platform {

struct X11Monitor {
    int x = 0, y = 0, width = 0, height = 0;
};

// The names of the connected outputs ("HDMI-1", "eDP-1"), in XRandR's order;
// empty without a display or XRandR.
std::vector<std::string> X11ConnectedOutputs();

// The number of workspaces the window manager announces on the root window
// (_NET_NUMBER_OF_DESKTOPS); 1 when it says nothing.
int X11WorkspaceCount();

// The active monitors of the display's default screen, clipped to it; the
// whole screen as one monitor when XRandR lists none.
std::vector<X11Monitor> X11Monitors(_XDisplay* display);

// The default screen of the display DISPLAY names: its size, and its active
// monitors as XRandR lists them (the primary first, none clipped, so the
// caller can tell which lie outside); nothing without a display.
struct X11ScreenLayout {
    int width = 0, height = 0;
    std::vector<X11Monitor> monitors;
};
std::optional<X11ScreenLayout> X11CurrentScreenLayout();

}  // namespace platform
