#!/usr/bin/env python3
"""A desktop's screen lock, as far as D-Bus shows it, for tests.

screen_saver_standin.py RECORD screensaver|logind [deaf]
Owns org.freedesktop.ScreenSaver (or logind's org.freedesktop.login1 with
the caller's session at /org/freedesktop/login1/session/auto) on the session
bus and appends one line to RECORD for each Lock call. After a Lock the
screen saver's GetActive and the session's LockedHint say it is locked;
"deaf" answers Lock as logind does in a session where nothing listens, and
never locks. Point DBUS_SYSTEM_BUS_ADDRESS at the same bus to have the
program find "logind".
"""
import sys

import dbus
import dbus.service
from dbus.mainloop.glib import DBusGMainLoop
from gi.repository import GLib

record, kind = sys.argv[1], sys.argv[2]
deaf = sys.argv[3:] == ["deaf"]
NAMES = {
    "screensaver": ("org.freedesktop.ScreenSaver", "/org/freedesktop/ScreenSaver",
                    "org.freedesktop.ScreenSaver"),
    "logind": ("org.freedesktop.login1", "/org/freedesktop/login1/session/auto",
               "org.freedesktop.login1.Session"),
}
service, path, interface = NAMES[kind]


class Locker(dbus.service.Object):
    locked = False

    @dbus.service.method(interface, in_signature="", out_signature="")
    def Lock(self):
        with open(record, "a") as out:
            out.write(interface + ".Lock\n")
        Locker.locked = not deaf

    @dbus.service.method("org.freedesktop.ScreenSaver", in_signature="", out_signature="b")
    def GetActive(self):
        return Locker.locked

    @dbus.service.method(dbus.PROPERTIES_IFACE, in_signature="ss", out_signature="v")
    def Get(self, interface_name, name):
        if name != "LockedHint":
            raise dbus.exceptions.DBusException("no such property " + name)
        return dbus.Boolean(Locker.locked)


DBusGMainLoop(set_as_default=True)
bus = dbus.SessionBus()
name = dbus.service.BusName(service, bus, do_not_queue=True)
Locker(bus, path)
print("ready", flush=True)
GLib.MainLoop().run()
