#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Waits up to the given seconds of idle for the X server's screen saver to
start (MIT-SCREEN-SAVER's state on $DISPLAY) and wakes the screen again.
Exits 0 when it started, 1 when it did not, 2 when the display cannot say.
With "--on" instead, only tells whether the saver is on now (0 on, 1 off),
touching nothing."""
import ctypes
import sys
import time

xlib = ctypes.CDLL("libX11.so.6")
xss = ctypes.CDLL("libXss.so.1")


class Info(ctypes.Structure):
    _fields_ = [("window", ctypes.c_ulong), ("state", ctypes.c_int), ("kind", ctypes.c_int),
                ("til_or_since", ctypes.c_ulong), ("idle", ctypes.c_ulong), ("event_mask", ctypes.c_ulong)]


SAVER_ON = 1
SAVER_RESET = 0
xlib.XOpenDisplay.restype = ctypes.c_void_p
xlib.XOpenDisplay.argtypes = [ctypes.c_char_p]
xlib.XDefaultRootWindow.restype = ctypes.c_ulong
xlib.XDefaultRootWindow.argtypes = [ctypes.c_void_p]
xlib.XForceScreenSaver.argtypes = [ctypes.c_void_p, ctypes.c_int]
xlib.XSync.argtypes = [ctypes.c_void_p, ctypes.c_int]
xlib.XCloseDisplay.argtypes = [ctypes.c_void_p]
xss.XScreenSaverQueryInfo.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.POINTER(Info)]


def main():
    display = xlib.XOpenDisplay(None)
    if not display:
        sys.exit(2)
    root = xlib.XDefaultRootWindow(display)
    info = Info()
    if sys.argv[1] == "--on":
        if not xss.XScreenSaverQueryInfo(display, root, ctypes.byref(info)):
            sys.exit(2)
        on = info.state == SAVER_ON
        xlib.XCloseDisplay(display)
        sys.exit(0 if on else 1)
    # Idle counts from now.
    xlib.XForceScreenSaver(display, SAVER_RESET)
    xlib.XSync(display, 0)
    deadline = time.monotonic() + float(sys.argv[1])
    started = False
    while not started and time.monotonic() < deadline:
        time.sleep(0.05)
        if not xss.XScreenSaverQueryInfo(display, root, ctypes.byref(info)):
            sys.exit(2)
        started = info.state == SAVER_ON
    xlib.XForceScreenSaver(display, SAVER_RESET)
    xlib.XSync(display, 0)
    xlib.XCloseDisplay(display)
    sys.exit(0 if started else 1)


if __name__ == "__main__":
    main()
