// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A connection to the X server closed when its owner goes:
// X11Display display(XOpenDisplay(nullptr)). Includes Xlib, whose macros
// clash with Qt's names: for backends that use no Qt.

#include <memory>

#include <X11/Xlib.h>

namespace platform {

struct X11DisplayCloser {
    void operator()(Display* display) const { XCloseDisplay(display); }
};
using X11Display = std::unique_ptr<Display, X11DisplayCloser>;

}  // namespace platform
