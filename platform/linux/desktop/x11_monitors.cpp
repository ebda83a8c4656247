// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/linux/desktop/x11_monitors.h"

#include "platform/linux/shared/x11_display.h"

#include <algorithm>
#include <memory>

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/extensions/Xrandr.h>

namespace platform {
namespace {

bool HasRandr(Display* dpy, int wantedMinor)
{
    int event = 0, error = 0, major = 0, minor = 0;
    return XRRQueryExtension(dpy, &event, &error) && XRRQueryVersion(dpy, &major, &minor) &&
           (major > 1 || (major == 1 && minor >= wantedMinor));
}

}  // namespace

std::vector<std::string> X11ConnectedOutputs()
{
    std::vector<std::string> names;
    X11Display display(XOpenDisplay(nullptr));
    if (!display || !HasRandr(display.get(), 3))
        return names;
    Display* dpy = display.get();
    XRRScreenResources* resources = XRRGetScreenResourcesCurrent(dpy, DefaultRootWindow(dpy));
    if (!resources)
        return names;
    for (int i = 0; i < resources->noutput; ++i) {
        XRROutputInfo* output = XRRGetOutputInfo(dpy, resources, resources->outputs[i]);
        if (output && output->connection == RR_Connected)
            names.emplace_back(output->name, static_cast<std::size_t>(output->nameLen));
        if (output)
            XRRFreeOutputInfo(output);
    }
    XRRFreeScreenResources(resources);
    return names;
}

int X11WorkspaceCount()
{
    X11Display display(XOpenDisplay(nullptr));
    if (!display)
        return 1;
    Display* dpy = display.get();
    Atom type = None;
    int format = 0;
    unsigned long items = 0, after = 0;
    unsigned char* data = nullptr;
    long count = 1;
    const Atom atom = XInternAtom(dpy, "_NET_NUMBER_OF_DESKTOPS", True);
    if (atom != None &&
        XGetWindowProperty(dpy, DefaultRootWindow(dpy), atom, 0, 1, False, XA_CARDINAL, &type, &format, &items, &after,
                           &data) == Success &&
        type == XA_CARDINAL && format == 32 && items == 1 && data)
        count = *reinterpret_cast<long*>(data);
    if (data)
        XFree(data);
    // A workspace count beyond any real desktop is a broken property.
    return count >= 1 && count <= 64 ? static_cast<int>(count) : 1;
}

std::vector<X11Monitor> X11Monitors(Display* dpy)
{
    const int screen = DefaultScreen(dpy);
    const int screenW = DisplayWidth(dpy, screen), screenH = DisplayHeight(dpy, screen);
    std::vector<X11Monitor> out;
    if (HasRandr(dpy, 5)) {
        int count = 0;
        XRRMonitorInfo* monitors = XRRGetMonitors(dpy, RootWindow(dpy, screen), True, &count);
        for (int i = 0; monitors && i < count; ++i) {
            const int x0 = std::max(0, monitors[i].x), y0 = std::max(0, monitors[i].y);
            const int x1 = std::min(screenW, monitors[i].x + monitors[i].width);
            const int y1 = std::min(screenH, monitors[i].y + monitors[i].height);
            if (x1 > x0 && y1 > y0)
                out.push_back({x0, y0, x1 - x0, y1 - y0});
        }
        if (monitors)
            XRRFreeMonitors(monitors);
    }
    if (out.empty())
        out.push_back({0, 0, screenW, screenH});
    return out;
}

std::optional<X11ScreenLayout> X11CurrentScreenLayout()
{
    X11Display display(XOpenDisplay(nullptr));
    if (!display)
        return std::nullopt;
    Display* dpy = display.get();
    const int screen = DefaultScreen(dpy);
    X11ScreenLayout layout{DisplayWidth(dpy, screen), DisplayHeight(dpy, screen), {}};
    if (!HasRandr(dpy, 5))
        return layout;
    int count = 0;
    XRRMonitorInfo* monitors = XRRGetMonitors(dpy, RootWindow(dpy, screen), True, &count);
    for (int i = 0; monitors && i < count; ++i) {
        const X11Monitor m{monitors[i].x, monitors[i].y, monitors[i].width, monitors[i].height};
        if (monitors[i].primary)
            layout.monitors.insert(layout.monitors.begin(), m);
        else
            layout.monitors.push_back(m);
    }
    if (monitors)
        XRRFreeMonitors(monitors);
    return layout;
}

}  // namespace platform
