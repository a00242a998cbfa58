#!/usr/bin/env python3
"""A stand-in for a panel's StatusNotifierWatcher (with a host) on the session bus.

Prints "READY" once the watcher's name is owned and "ITEM <service>" for each
item that registers. Commands on standard input, answered on standard output:
  menu          "MENU <label>|<label>|..." the visible top-level entries of the
                last item's menu (com.canonical.dbusmenu GetLayout)
  click LABEL   sends the "clicked" event to the entry with that label
  tooltip       "TOOLTIP <title>" of the last item
  icon          "ICON <width>x<height> ..." the last item's whole IconPixmap pictures
"""
import sys

import dbus
import dbus.service
from dbus.mainloop.glib import DBusGMainLoop
from gi.repository import GLib

NAME = "org.kde.StatusNotifierWatcher"
PATH = "/StatusNotifierWatcher"
INTROSPECTION = """<node>
 <interface name="org.kde.StatusNotifierWatcher">
  <method name="RegisterStatusNotifierItem"><arg name="service" type="s" direction="in"/></method>
  <method name="RegisterStatusNotifierHost"><arg name="service" type="s" direction="in"/></method>
  <property name="RegisteredStatusNotifierItems" type="as" access="read"/>
  <property name="IsStatusNotifierHostRegistered" type="b" access="read"/>
  <property name="ProtocolVersion" type="i" access="read"/>
  <signal name="StatusNotifierItemRegistered"><arg type="s"/></signal>
  <signal name="StatusNotifierItemUnregistered"><arg type="s"/></signal>
  <signal name="StatusNotifierHostRegistered"/>
 </interface>
 <interface name="org.freedesktop.DBus.Properties">
  <method name="Get"><arg type="s" direction="in"/><arg type="s" direction="in"/><arg type="v" direction="out"/></method>
  <method name="GetAll"><arg type="s" direction="in"/><arg type="a{sv}" direction="out"/></method>
 </interface>
</node>"""


def say(*words):
    print(*words, flush=True)


class Watcher(dbus.service.Object):
    def __init__(self, bus):
        super().__init__(bus, PATH)
        self.bus = bus
        self.items = []

    @dbus.service.method("org.freedesktop.DBus.Introspectable", out_signature="s")
    def Introspect(self):
        return INTROSPECTION

    def properties(self):
        return {"RegisteredStatusNotifierItems": dbus.Array(self.items, signature="s"),
                "IsStatusNotifierHostRegistered": dbus.Boolean(True),
                "ProtocolVersion": dbus.Int32(0)}

    @dbus.service.method("org.freedesktop.DBus.Properties", in_signature="ss", out_signature="v")
    def Get(self, interface, name):
        return self.properties()[name]

    @dbus.service.method("org.freedesktop.DBus.Properties", in_signature="s", out_signature="a{sv}")
    def GetAll(self, interface):
        return self.properties()

    @dbus.service.method(NAME, in_signature="s", sender_keyword="sender")
    def RegisterStatusNotifierItem(self, service, sender=None):
        # An item names either its own bus name or just its object path.
        if service.startswith("/"):
            service = sender + service
        self.items.append(str(service))
        say("ITEM", service)
        self.StatusNotifierItemRegistered(service)

    @dbus.service.method(NAME, in_signature="s")
    def RegisterStatusNotifierHost(self, service):
        pass

    @dbus.service.signal(NAME, signature="s")
    def StatusNotifierItemRegistered(self, service):
        pass

    # The item's side, as a host reads it.
    def item(self):
        service = self.items[-1]
        name, _, path = service.partition("/")
        return self.bus.get_object(name, "/" + path if path else "/StatusNotifierItem")

    def item_property(self, name):
        return self.item().Get("org.kde.StatusNotifierItem", name,
                               dbus_interface="org.freedesktop.DBus.Properties")

    def menu(self):
        item = self.item()
        return self.bus.get_object(item.bus_name, self.item_property("Menu"))

    def entries(self):
        _, layout = self.menu().GetLayout(0, 1, dbus.Array([], signature="s"),
                                          dbus_interface="com.canonical.dbusmenu")
        for child in layout[2]:
            entry_id, props = child[0], child[1]
            if props.get("visible", True) and props.get("type", "standard") != "separator":
                yield int(entry_id), str(props.get("label", ""))


def main():
    DBusGMainLoop(set_as_default=True)
    bus = dbus.SessionBus()
    watcher = Watcher(bus)
    name = dbus.service.BusName(NAME, bus, do_not_queue=True)
    loop = GLib.MainLoop()

    def command(source, condition):
        line = sys.stdin.readline()
        if not line:
            loop.quit()
            return False
        words = line.split(maxsplit=1)
        try:
            if words and words[0] == "menu":
                say("MENU " + "|".join(label for _, label in watcher.entries()))
            elif words and words[0] == "icon":
                # A picture is whole when its ARGB bytes fill its size.
                say("ICON", *("%dx%d" % (width, height)
                              for width, height, data in watcher.item_property("IconPixmap")
                              if width > 0 and height > 0 and len(data) == width * height * 4))
            elif words and words[0] == "tooltip":
                say("TOOLTIP", watcher.item_property("ToolTip")[2])
            elif len(words) == 2 and words[0] == "click":
                for entry_id, label in watcher.entries():
                    if label.replace("&", "") == words[1].strip():
                        watcher.menu().Event(dbus.Int32(entry_id), "clicked",
                                             dbus.Int32(0, variant_level=1), dbus.UInt32(0),
                                             dbus_interface="com.canonical.dbusmenu")
                        say("CLICKED", words[1].strip())
        except dbus.exceptions.DBusException as error:
            say("ERROR", error.get_dbus_name())
        return True

    GLib.io_add_watch(sys.stdin, GLib.IO_IN | GLib.IO_HUP, command)
    say("READY")
    loop.run()
    del name


if __name__ == "__main__":
    main()
