#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Prints the colour (rrggbb) KWin shows at x y, from its own screenshot;
with --save FILE W H, writes the screen's top-left W x H as raw BGRA to FILE.

KWin hands the raw picture over a pipe whose end goes with the call; it
lets any caller take it when KWin runs with
KWIN_SCREENSHOT_NO_PERMISSION_CHECKS=1.
"""
import os
import sys

import dbus


def main():
    save = sys.argv[1] == "--save"
    if save:
        x, y, w, h = 0, 0, int(sys.argv[3]), int(sys.argv[4])
    else:
        x, y, w, h = int(sys.argv[1]), int(sys.argv[2]), 1, 1
    bus = dbus.SessionBus()
    shot = dbus.Interface(bus.get_object("org.kde.KWin", "/org/kde/KWin/ScreenShot2"), "org.kde.KWin.ScreenShot2")
    read_end, write_end = os.pipe()
    try:
        meta = shot.CaptureArea(x, y, w, h, {"native-resolution": True}, dbus.types.UnixFd(write_end))
    finally:
        os.close(write_end)
    data = b""
    while True:
        chunk = os.read(read_end, 65536)
        if not chunk:
            break
        data += chunk
    os.close(read_end)
    # 32 bits a pixel (QImage's RGB32 and ARGB32 formats): blue, green, red, alpha in memory.
    if meta.get("type") != "raw" or len(data) < 4:
        sys.exit("no picture: %s" % dict(meta))
    if save:
        with open(sys.argv[2], "wb") as out:
            out.write(data)
        return
    print("%02x%02x%02x" % (data[2], data[1], data[0]))


if __name__ == "__main__":
    main()
