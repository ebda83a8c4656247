#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Stand-in desktop services on the session bus, for the backend tests.

Owns the bus names given with --name (org.kde.plasmashell, org.xfce.Xfconf,
org.freedesktop.ScreenSaver), answers their calls as the real services do in
the ways the program relies on, and appends every call to --log, one line
each: "Member arg|arg|...". --properties is a JSON object the xfconf stand-in
returns from GetAllProperties. With --fail, plasmashell answers every call
with an error, as a running shell that cannot take the script does. Touches
--ready once the names are owned.
"""
import argparse
import json

import dbus
import dbus.exceptions
import dbus.service
from dbus.mainloop.glib import DBusGMainLoop
from gi.repository import GLib


def record(log, member, *args):
    with open(log, "a", encoding="utf-8") as out:
        out.write(member + " " + "|".join(str(a) for a in args) + "\n")


class PlasmaShell(dbus.service.Object):
    def __init__(self, bus, log, fail):
        super().__init__(bus, "/PlasmaShell")
        self.log = log
        self.fail = fail

    @dbus.service.method("org.kde.PlasmaShell", in_signature="s", out_signature="")
    def evaluateScript(self, script):
        record(self.log, "evaluateScript", script.replace("\n", " "))
        if self.fail:
            raise dbus.exceptions.DBusException("Widgets are locked", name="org.kde.PlasmaShell.Error")


class Xfconf(dbus.service.Object):
    def __init__(self, bus, log, properties):
        super().__init__(bus, "/org/xfce/Xfconf")
        self.log = log
        self.properties = properties

    @dbus.service.method("org.xfce.Xfconf", in_signature="ss", out_signature="a{sv}")
    def GetAllProperties(self, channel, base):
        record(self.log, "GetAllProperties", channel, base)
        return dbus.Dictionary(self.properties, signature="sv")

    @dbus.service.method("org.xfce.Xfconf", in_signature="ssv", out_signature="")
    def SetProperty(self, channel, prop, value):
        record(self.log, "SetProperty", channel, prop, value)


class ScreenSaver(dbus.service.Object):
    def __init__(self, bus, path, log):
        super().__init__(bus, path)
        self.log = log
        self.next_cookie = 41

    @dbus.service.method("org.freedesktop.ScreenSaver", in_signature="ss", out_signature="u")
    def Inhibit(self, application, reason):
        self.next_cookie += 1
        record(self.log, "Inhibit", application, reason, self.next_cookie)
        return self.next_cookie

    @dbus.service.method("org.freedesktop.ScreenSaver", in_signature="u", out_signature="")
    def UnInhibit(self, cookie):
        record(self.log, "UnInhibit", int(cookie))

    @dbus.service.method("org.freedesktop.ScreenSaver", in_signature="b", out_signature="b")
    def SetActive(self, active):
        record(self.log, "SetActive", bool(active))
        return True


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--name", action="append", default=[])
    parser.add_argument("--log", required=True)
    parser.add_argument("--ready", required=True)
    parser.add_argument("--properties", default="{}")
    parser.add_argument("--fail", action="store_true")
    args = parser.parse_args()

    DBusGMainLoop(set_as_default=True)
    bus = dbus.SessionBus()
    keep = []
    for name in args.name:
        keep.append(dbus.service.BusName(name, bus))
        if name == "org.kde.plasmashell":
            keep.append(PlasmaShell(bus, args.log, args.fail))
        elif name == "org.xfce.Xfconf":
            keep.append(Xfconf(bus, args.log, json.loads(args.properties)))
        elif name == "org.freedesktop.ScreenSaver":
            keep.append(ScreenSaver(bus, "/org/freedesktop/ScreenSaver", args.log))
            keep.append(ScreenSaver(bus, "/ScreenSaver", args.log))
    open(args.ready, "w").close()
    GLib.MainLoop().run()


if __name__ == "__main__":
    main()
