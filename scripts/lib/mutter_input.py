#!/usr/bin/python3
"""Works the pointer and keys of a headless mutter as a person would, through a remote-desktop
session on the session bus. mutter ends the session when its owner leaves the bus, so this
program stays: it says "ready", then reads one command a line and answers "ok" or "error WHY".

    click X Y            button 1 at a place of the monitor, in pixels
    key NAME[+NAME...]   keys by X keysym name (Alt_L+F4), held in turn
"""
import sys
import time

from gi.repository import Gio, GLib

REMOTE = "org.gnome.Mutter.RemoteDesktop"
BUTTON_LEFT = 0x110
KEYSYMS = {"Tab": 0xFF09, "Return": 0xFF0D, "Escape": 0xFF1B, "F4": 0xFFC1, "Shift_L": 0xFFE1, "Alt_L": 0xFFE9}
bus = Gio.bus_get_sync(Gio.BusType.SESSION, None)


def call(path, interface, method, signature=None, *args):
    return bus.call_sync(REMOTE, path, interface, method, GLib.Variant(signature, args) if signature else None,
                         None, Gio.DBusCallFlags.NONE, 10000, None)


session = call("/org/gnome/Mutter/RemoteDesktop", REMOTE, "CreateSession").unpack()[0]


def notify(method, signature=None, *args):
    call(session, REMOTE + ".Session", method, signature, *args)


def run(command, *args):
    if command in ("click", "press", "move", "release"):
        # Only a screen cast takes places; without one the pointer goes by distances, from the
        # top left corner, where the monitor stops it.
        for dx, dy in ((-1e5, -1e5), (float(args[0]), float(args[1]))):
            notify("NotifyPointerMotionRelative", "(dd)", dx, dy)
        # mutter works out what lies under the pointer when it next draws: a button sent before
        # then would go to what lay under it before.
        time.sleep(0.1)
    for down in {"click": (True, False), "press": (True,), "release": (False,)}.get(command, ()):
        notify("NotifyPointerButton", "(ib)", BUTTON_LEFT, down)
    if command == "key":
        keys = [KEYSYMS[name] for name in args[0].split("+")]
        for down, order in ((True, keys), (False, reversed(keys))):
            for keysym in order:
                notify("NotifyKeyboardKeysym", "(ub)", keysym, down)


notify("Start")
# The seat offers clients a pointer and a keyboard only once the session's devices have sent
# something.
notify("NotifyPointerMotionRelative", "(dd)", 0.0, 0.0)
run("key", "Shift_L")
print("ready", flush=True)
for line in sys.stdin:
    try:
        run(*line.split())
        print("ok", flush=True)
    except (GLib.Error, KeyError, ValueError, IndexError, TypeError) as error:
        print("error", str(error).replace("\n", " "), flush=True)
