#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Stand-in desktop services on the session bus, for the backend tests.

Owns the bus names given with --name (org.kde.plasmashell, org.xfce.Xfconf,
org.freedesktop.ScreenSaver, org.freedesktop.PowerManagement,
org.gnome.SessionManager), answers their calls as the real services do in
the ways the program relies on, and appends every call to --log, one line
each: "Member arg|arg|...". --properties is a JSON object the xfconf stand-in
returns from GetAllProperties. With --fail, plasmashell answers every call
with an error, as a running shell that cannot take the script does, and the
screen saver answers Inhibit with a string instead of a cookie; with
--slow, the screen saver answers 3 s late, as a service busy while its
session starts, and plasmashell and xfconf 5 s late, past the wallpaper's
limit. Touches
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


def answer_late(reply, *value):
    GLib.timeout_add(5000, lambda: reply(*value) and False)


class PlasmaShell(dbus.service.Object):
    def __init__(self, bus, log, fail, slow):
        super().__init__(bus, "/PlasmaShell")
        self.log = log
        self.fail = fail
        self.slow = slow

    @dbus.service.method("org.kde.PlasmaShell", in_signature="s", out_signature="",
                         async_callbacks=("reply", "error"))
    def evaluateScript(self, script, reply, error):
        record(self.log, "evaluateScript", script.replace("\n", " "))
        if self.fail:
            error(dbus.exceptions.DBusException("Widgets are locked", name="org.kde.PlasmaShell.Error"))
        elif self.slow:
            answer_late(reply)
        else:
            reply()


class Xfconf(dbus.service.Object):
    def __init__(self, bus, log, properties, slow):
        super().__init__(bus, "/org/xfce/Xfconf")
        self.log = log
        self.properties = properties
        self.slow = slow

    @dbus.service.method("org.xfce.Xfconf", in_signature="ss", out_signature="a{sv}",
                         async_callbacks=("reply", "error"))
    def GetAllProperties(self, channel, base, reply, error):
        record(self.log, "GetAllProperties", channel, base)
        found = dbus.Dictionary(self.properties, signature="sv")
        if self.slow:
            answer_late(reply, found)
        else:
            reply(found)

    @dbus.service.method("org.xfce.Xfconf", in_signature="ssv", out_signature="")
    def SetProperty(self, channel, prop, value):
        record(self.log, "SetProperty", channel, prop, value)


class ScreenSaver(dbus.service.Object):
    def __init__(self, bus, path, log, slow):
        super().__init__(bus, path)
        self.log = log
        self.slow = slow
        self.next_cookie = 41

    @dbus.service.method("org.freedesktop.ScreenSaver", in_signature="ss", out_signature="u",
                         async_callbacks=("reply", "error"))
    def Inhibit(self, application, reason, reply, error):
        self.next_cookie += 1
        record(self.log, "Inhibit", application, reason, self.next_cookie)
        self.answer(reply, self.next_cookie)

    @dbus.service.method("org.freedesktop.ScreenSaver", in_signature="u", out_signature="")
    def UnInhibit(self, cookie):
        record(self.log, "UnInhibit", int(cookie))

    @dbus.service.method("org.freedesktop.ScreenSaver", in_signature="b", out_signature="b",
                         async_callbacks=("reply", "error"))
    def SetActive(self, active, reply, error):
        record(self.log, "SetActive", bool(active))
        self.answer(reply, True)

    def answer(self, reply, value):
        if self.slow:
            GLib.timeout_add(3000, lambda: reply(value) and False)
        else:
            reply(value)


class WrongTypedScreenSaver(ScreenSaver):
    """A screen saver whose Inhibit answers a string where a cookie belongs."""

    @dbus.service.method("org.freedesktop.ScreenSaver", in_signature="ss", out_signature="s",
                         async_callbacks=("reply", "error"))
    def Inhibit(self, application, reason, reply, error):
        self.next_cookie += 1
        record(self.log, "Inhibit", application, reason, self.next_cookie)
        self.answer(reply, str(self.next_cookie))


class PowerManagement(dbus.service.Object):
    """XFCE's power manager: inhibitors by application, as it lists them."""

    def __init__(self, bus, log):
        super().__init__(bus, "/org/freedesktop/PowerManagement/Inhibit")
        self.log = log
        self.next_cookie = 20

    @dbus.service.method("org.freedesktop.PowerManagement.Inhibit", in_signature="ss", out_signature="u")
    def Inhibit(self, application, reason):
        self.next_cookie += 1
        record(self.log, "PmInhibit", application, reason, self.next_cookie)
        return self.next_cookie

    @dbus.service.method("org.freedesktop.PowerManagement.Inhibit", in_signature="u", out_signature="")
    def UnInhibit(self, cookie):
        record(self.log, "PmUnInhibit", int(cookie))


class SessionManager(dbus.service.Object):
    """GNOME's session manager: inhibitors with flags, dropped as the real
    one drops them when their caller leaves the bus."""

    def __init__(self, bus, log):
        super().__init__(bus, "/org/gnome/SessionManager")
        self.bus = bus
        self.log = log
        self.next_cookie = 7
        self.held = {}

    @dbus.service.method("org.gnome.SessionManager", in_signature="susu", out_signature="u",
                         sender_keyword="sender")
    def Inhibit(self, app_id, toplevel_xid, reason, flags, sender=None):
        self.next_cookie += 1
        cookie = self.next_cookie
        self.held[cookie] = int(flags)
        record(self.log, "Inhibit", app_id, int(toplevel_xid), reason, int(flags), cookie)

        def gone(owner):
            if not owner and cookie in self.held:
                del self.held[cookie]
                record(self.log, "Dropped", cookie)
        self.bus.watch_name_owner(sender, gone)
        return cookie

    @dbus.service.method("org.gnome.SessionManager", in_signature="u", out_signature="")
    def Uninhibit(self, cookie):
        self.held.pop(int(cookie), None)
        record(self.log, "Uninhibit", int(cookie))

    @dbus.service.method("org.gnome.SessionManager", in_signature="u", out_signature="b")
    def IsInhibited(self, flags):
        return any(f & int(flags) for f in self.held.values())


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--name", action="append", default=[])
    parser.add_argument("--log", required=True)
    parser.add_argument("--ready", required=True)
    parser.add_argument("--properties", default="{}")
    parser.add_argument("--fail", action="store_true")
    parser.add_argument("--slow", action="store_true")
    args = parser.parse_args()

    DBusGMainLoop(set_as_default=True)
    bus = dbus.SessionBus()
    keep = []
    for name in args.name:
        keep.append(dbus.service.BusName(name, bus))
        if name == "org.kde.plasmashell":
            keep.append(PlasmaShell(bus, args.log, args.fail, args.slow))
        elif name == "org.xfce.Xfconf":
            keep.append(Xfconf(bus, args.log, json.loads(args.properties), args.slow))
        elif name == "org.freedesktop.ScreenSaver":
            saver = WrongTypedScreenSaver if args.fail else ScreenSaver
            keep.append(saver(bus, "/org/freedesktop/ScreenSaver", args.log, args.slow))
            keep.append(saver(bus, "/ScreenSaver", args.log, args.slow))
        elif name == "org.freedesktop.PowerManagement":
            keep.append(PowerManagement(bus, args.log))
        elif name == "org.gnome.SessionManager":
            keep.append(SessionManager(bus, args.log))
    open(args.ready, "w").close()
    GLib.MainLoop().run()


if __name__ == "__main__":
    main()
