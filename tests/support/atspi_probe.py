#!/usr/bin/python3
"""Reads what a running program shows to AT-SPI, on the session bus in DBUS_SESSION_BUS_ADDRESS
(a Qt program registers there when started with QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1). Works
alike under X and natively on Wayland, where it is the one way to see another program's windows.

    atspi_probe.py windows APP      each top-level window of the application APP, one a line:
                                    its role, "active" or "inactive" (whether it has the
                                    keyboard focus), and its name, separated by tabs
    atspi_probe.py rows APP NAME    the number of rows of APP's list, tree or table named NAME
    atspi_probe.py place APP NAME   where APP's control NAME (the first so named, window by
                                    window) is in its top-level window, and that window's size:
                                    "X Y WIDTH HEIGHT WINDOW_WIDTH WINDOW_HEIGHT", in pixels

Prints nothing, and fails, when APP is not registered (or, for rows, has no such control).
"""

import sys

import pyatspi


def application(name):
    desktop = pyatspi.Registry.getDesktop(0)
    for index in range(desktop.childCount):
        app = desktop.getChildAtIndex(index)
        if app is not None and app.name == name:
            return app
    return None


def find(node, name, roles=None):
    if node.name == name and (roles is None or node.getRole() in roles):
        return node
    for index in range(node.childCount):
        child = node.getChildAtIndex(index)
        found = child is not None and find(child, name, roles)
        if found:
            return found
    return None


def main():
    command, app = sys.argv[1], application(sys.argv[2])
    if app is None:
        return 1
    if command == "windows":
        for index in range(app.childCount):
            window = app.getChildAtIndex(index)
            if window is not None:
                active = window.getState().contains(pyatspi.STATE_ACTIVE)
                print("%s\t%s\t%s" % (window.getRoleName(), "active" if active else "inactive", window.name))
        return 0
    if command == "rows":
        lists = (pyatspi.ROLE_TREE, pyatspi.ROLE_TREE_TABLE, pyatspi.ROLE_TABLE, pyatspi.ROLE_LIST)
        control = find(app, sys.argv[3], lists)
        if control is None:
            return 1
        print(control.queryTable().nRows)
        return 0
    if command == "place":
        for index in range(app.childCount):
            window = app.getChildAtIndex(index)
            control = window is not None and find(window, sys.argv[3])
            if control:
                # A native Wayland window knows no place on the screen: its controls' places
                # are relative to the window itself.
                x, y, width, height = control.queryComponent().getExtents(pyatspi.WINDOW_COORDS)
                frame = window.queryComponent().getExtents(pyatspi.WINDOW_COORDS)
                print(x, y, width, height, frame[2], frame[3])
                return 0
        return 1
    print("unknown command %r" % command, file=sys.stderr)
    return 2


if __name__ == "__main__":
    sys.exit(main())
