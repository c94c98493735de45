#!/usr/bin/python3
"""Questions to the AT-SPI bus, as a screen reader would ask them:
     atspi.py listening EVENT   exits 0 when some client listens for EVENT (in
                                the registry's spelling: Window:Activate:), 1 if none does
     atspi.py centre NAME       prints the screen position of the middle of the
                                object named NAME, for a click there
A screen reader must be listening before the program starts, or the
program's first events (its window's activation) go to nobody."""
import sys

import gi
from gi.repository import Gio

gi.require_version("Atspi", "2.0")
from gi.repository import Atspi  # noqa: E402


def call(bus, name, path, method):
    """Both services below name their interface after themselves."""
    return bus.call_sync(name, path, name, method, None, None, 0, -1, None).unpack()[0]


def listening(event):
    session = Gio.bus_get_sync(Gio.BusType.SESSION)
    address = call(session, "org.a11y.Bus", "/org/a11y/bus", "GetAddress")
    a11y = Gio.DBusConnection.new_for_address_sync(
        address,
        Gio.DBusConnectionFlags.AUTHENTICATION_CLIENT | Gio.DBusConnectionFlags.MESSAGE_BUS_CONNECTION,
        None, None)
    events = call(a11y, "org.a11y.atspi.Registry", "/org/a11y/atspi/registry", "GetRegisteredEvents")
    return any(registered == event for _, registered in events)


def find(node, name):
    if node.get_name() == name:
        return node
    for i in range(node.get_child_count()):
        found = find(node.get_child_at_index(i), name)
        if found:
            return found
    return None


def centre(name):
    found = find(Atspi.get_desktop(0), name)
    if not found:
        return False
    box = found.get_extents(Atspi.CoordType.SCREEN)
    print(box.x + box.width // 2, box.y + box.height // 2)
    return True


question, subject = sys.argv[1:3]
sys.exit(0 if {"listening": listening, "centre": centre}[question](subject) else 1)
