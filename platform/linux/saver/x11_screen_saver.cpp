// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/linux/saver/x11_screen_saver.h"

#include "platform/linux/shared/desktop_log.h"
#include "platform/linux/shared/x11_display.h"

#include <X11/Xlib.h>
#include <X11/extensions/scrnsaver.h>

namespace platform {

namespace {

int ServerTimeout(Display* d)
{
    int timeout = 0, interval = 0, preferBlanking = 0, allowExposures = 0;
    XGetScreenSaver(d, &timeout, &interval, &preferBlanking, &allowExposures);
    return timeout;
}

// Suspending needs version 1.1 of the extension.
bool CanSuspend(Display* d)
{
    int event = 0, error = 0, major = 0, minor = 0;
    return XScreenSaverQueryExtension(d, &event, &error) && XScreenSaverQueryVersion(d, &major, &minor) &&
           (major > 1 || (major == 1 && minor >= 1));
}

}  // namespace

struct X11ScreenSaver::Connection {
    X11Display display;
};

X11ScreenSaver::X11ScreenSaver() = default;

// Closing the connection ends the suspension; saying so first is tidier.
X11ScreenSaver::~X11ScreenSaver()
{
    SetActive(true);
}

bool X11ScreenSaver::Suspended() const
{
    return held_ != nullptr;
}

bool X11ScreenSaver::IsActive()
{
    if (held_)
        return false;
    X11Display d(XOpenDisplay(nullptr));
    if (!d)
        return true;
    return ServerTimeout(d.get()) != 0;
}

void X11ScreenSaver::SetActive(bool active)
{
    if (active) {
        if (!held_)
            return;
        XScreenSaverSuspend(held_->display.get(), False);
        XSync(held_->display.get(), False);
        held_.reset();
        return;
    }
    if (held_)
        return;
    X11Display d(XOpenDisplay(nullptr));
    if (!d)
        return;
    if (!CanSuspend(d.get())) {
        qCWarning(lcDesktop) << "screen saver: the X server cannot suspend its saver (no MIT-SCREEN-SAVER 1.1)";
        return;
    }
    XScreenSaverSuspend(d.get(), True);
    XSync(d.get(), False);
    held_ = std::make_unique<Connection>(Connection{std::move(d)});
}

void X11ScreenSaver::StartNow()
{
    X11Display d(XOpenDisplay(nullptr));
    if (!d)
        return;
    XForceScreenSaver(d.get(), ScreenSaverActive);
    XSync(d.get(), False);
}

}  // namespace platform
