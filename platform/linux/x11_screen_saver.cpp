// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/linux/x11_screen_saver.h"

#include <X11/Xlib.h>

#include <memory>

namespace platform {

namespace {

struct DisplayCloser {
    void operator()(Display* d) const { XCloseDisplay(d); }
};
using DisplayPtr = std::unique_ptr<Display, DisplayCloser>;

struct SaverSettings {
    int timeout = 0;
    int interval = 0;
    int preferBlanking = 0;
    int allowExposures = 0;
};

SaverSettings Read(Display* d)
{
    SaverSettings s;
    XGetScreenSaver(d, &s.timeout, &s.interval, &s.preferBlanking, &s.allowExposures);
    return s;
}

}  // namespace

bool X11ScreenSaver::IsActive()
{
    DisplayPtr d(XOpenDisplay(nullptr));
    if (!d)
        return true;
    return Read(d.get()).timeout != 0;
}

void X11ScreenSaver::SetActive(bool active)
{
    DisplayPtr d(XOpenDisplay(nullptr));
    if (!d)
        return;
    SaverSettings s = Read(d.get());
    if (active == (s.timeout != 0))
        return;
    if (active) {
        s.timeout = savedTimeout_;
    } else {
        savedTimeout_ = s.timeout;
        s.timeout = 0;
    }
    XSetScreenSaver(d.get(), s.timeout, s.interval, s.preferBlanking, s.allowExposures);
    XSync(d.get(), False);
}

void X11ScreenSaver::StartNow()
{
    DisplayPtr d(XOpenDisplay(nullptr));
    if (!d)
        return;
    XForceScreenSaver(d.get(), ScreenSaverActive);
    XSync(d.get(), False);
}

}  // namespace platform
