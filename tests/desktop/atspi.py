#!/usr/bin/python3
"""Exits 0 when some client of the AT-SPI bus listens for an event, 1 if none does:
     listening.py EVENT      (in the registry's spelling: Window:Activate:)
A screen reader must be listening before the program starts, or the
program's first events (its window's activation) go to nobody."""
import sys

from gi.repository import Gio


def call(bus, name, path, method):
    """Both services below name their interface after themselves."""
    return bus.call_sync(name, path, name, method, None, None, 0, -1, None).unpack()[0]


session = Gio.bus_get_sync(Gio.BusType.SESSION)
address = call(session, "org.a11y.Bus", "/org/a11y/bus", "GetAddress")
a11y = Gio.DBusConnection.new_for_address_sync(
    address,
    Gio.DBusConnectionFlags.AUTHENTICATION_CLIENT | Gio.DBusConnectionFlags.MESSAGE_BUS_CONNECTION,
    None, None)
events = call(a11y, "org.a11y.atspi.Registry", "/org/a11y/atspi/registry", "GetRegisteredEvents")
sys.exit(0 if any(event == sys.argv[1] for _, event in events) else 1)
