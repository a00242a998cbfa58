#!/usr/bin/env python3
"""A stand-in for the desktop's global shortcuts portal on the session bus.

CreateSession and BindShortcuts answer through request objects with a
Response signal, as the real portal does. Each bound shortcut is printed as
"BOUND <id> <preferred trigger> <description>"; a line "activate <id>" on
standard input emits Activated for it. "READY" is printed once the portal's
name is owned, "REGISTERED <app id>" for a call of the host registry.
With --bind-nothing it answers BindShortcuts with success and an empty list,
as some desktops do, and prints "BOUND-NOTHING" instead.
"""
import sys

import dbus
import dbus.service
from dbus.mainloop.glib import DBusGMainLoop
from gi.repository import GLib

NAME = "org.freedesktop.portal.Desktop"
PATH = "/org/freedesktop/portal/desktop"
INTERFACE = "org.freedesktop.portal.GlobalShortcuts"
REGISTRY = "org.freedesktop.host.portal.Registry"
BIND_NOTHING = "--bind-nothing" in sys.argv[1:]


def say(*words):
    print(*words, flush=True)


class Request(dbus.service.Object):
    @dbus.service.signal("org.freedesktop.portal.Request", signature="ua{sv}")
    def Response(self, response, results):
        pass


class Portal(dbus.service.Object):
    def __init__(self, bus):
        super().__init__(bus, PATH)
        self.bus = bus
        self.session = None

    def answer(self, sender, options, results):
        """The request object for `options`' handle_token, answered just after the call returns."""
        token = str(options.get("handle_token", "request"))
        path = "%s/request/%s/%s" % (PATH, sender[1:].replace(".", "_"), token)
        request = Request(self.bus, path)

        def respond():
            request.Response(dbus.UInt32(0), dbus.Dictionary(results, signature="sv"))
            request.remove_from_connection()
            return False

        GLib.idle_add(respond)
        return dbus.ObjectPath(path)

    @dbus.service.method("org.freedesktop.DBus.Properties", in_signature="ss", out_signature="v")
    def Get(self, interface, name):
        if interface != INTERFACE or name != "version":
            raise dbus.exceptions.DBusException("no such property", name="org.freedesktop.DBus.Error.UnknownProperty")
        return dbus.UInt32(1)

    @dbus.service.method(REGISTRY, in_signature="sa{sv}")
    def Register(self, app_id, options):
        say("REGISTERED", app_id)

    @dbus.service.method(INTERFACE, in_signature="a{sv}", out_signature="o", sender_keyword="sender")
    def CreateSession(self, options, sender=None):
        token = str(options.get("session_handle_token", "session"))
        self.session = "%s/session/%s/%s" % (PATH, sender[1:].replace(".", "_"), token)
        return self.answer(sender, options, {"session_handle": dbus.String(self.session)})

    @dbus.service.method(INTERFACE, in_signature="oa(sa{sv})sa{sv}", out_signature="o", sender_keyword="sender")
    def BindShortcuts(self, session, shortcuts, parent, options, sender=None):
        if BIND_NOTHING:
            say("BOUND-NOTHING")
            return self.answer(sender, options, {"shortcuts": dbus.Array([], signature="(sa{sv})")})
        bound = []
        for shortcut_id, properties in shortcuts:
            trigger = str(properties.get("preferred_trigger", ""))
            say("BOUND", shortcut_id, trigger, str(properties.get("description", "")))
            bound.append(dbus.Struct((shortcut_id, dbus.Dictionary(
                {"description": properties.get("description", ""), "trigger_description": trigger},
                signature="sv"))))
        return self.answer(sender, options, {"shortcuts": dbus.Array(bound, signature="(sa{sv})")})

    @dbus.service.signal(INTERFACE, signature="osta{sv}")
    def Activated(self, session, shortcut_id, timestamp, options):
        pass


def main():
    DBusGMainLoop(set_as_default=True)
    bus = dbus.SessionBus()
    portal = Portal(bus)
    name = dbus.service.BusName(NAME, bus, do_not_queue=True)
    loop = GLib.MainLoop()

    def command(source, condition):
        line = sys.stdin.readline()
        if not line:
            loop.quit()
            return False
        words = line.split()
        if len(words) == 2 and words[0] == "activate" and portal.session:
            portal.Activated(dbus.ObjectPath(portal.session), words[1], dbus.UInt64(0),
                             dbus.Dictionary({}, signature="sv"))
        return True

    GLib.io_add_watch(sys.stdin, GLib.IO_IN | GLib.IO_HUP, command)
    say("READY")
    loop.run()
    del name


if __name__ == "__main__":
    main()
