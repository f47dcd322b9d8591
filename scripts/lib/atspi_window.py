#!/usr/bin/python3
# Reads the shown windows of the programs on the session bus through AT-SPI, alike under X and
# natively on Wayland (where no other program sees them); exits 1 when there is nothing to read.
#   atspi_window.py wait TITLE SECONDS   waits for a window TITLE that is active (on Wayland, once
#                                        the compositor has it on the screen and gives it the
#                                        keys); prints the milliseconds waited
#   atspi_window.py ids TITLE            each window TITLE's own object path, one a line
#   atspi_window.py size TITLE           "WIDTH HEIGHT" of the first window TITLE (the others
#                                        also wait up to ten seconds for one)
#   atspi_window.py box                  exits 1 unless a message box is shown and active
#   atspi_window.py rows TITLE           the texts of the first window TITLE's list, one a line
#   atspi_window.py centre TITLE NAME    "X Y", the centre of the control NAME (its accessible
#                                        name) in the first window TITLE, from its top left
import sys
import time

import pyatspi

def shown(accessible):
    return [child for child in accessible or [] if child and child.getState().contains(pyatspi.STATE_SHOWING)]


def windows(title, active=False):
    return [window for program in pyatspi.Registry.getDesktop(0) for window in shown(program)
            if window.name == title and (not active or window.getState().contains(pyatspi.STATE_ACTIVE))]


# The first window TITLE, once there: a program shows itself to AT-SPI a little after its window.
def window(title, seconds=10, active=False):
    started = time.monotonic()
    while not (found := windows(title, active)):
        if time.monotonic() > started + seconds:
            sys.exit(f'atspi_window: no window "{title}" within {seconds} s')
        time.sleep(0.02)
    return found[0], round((time.monotonic() - started) * 1000)


command, title = sys.argv[1], sys.argv[2:3] and sys.argv[2]
if command == "wait":
    print(window(title, float(sys.argv[3]), True)[1])
elif command == "ids":
    print(*(each.path for each in windows(title)), sep="\n")
elif command == "box":
    sys.exit(not any(each.getRole() == pyatspi.ROLE_ALERT and each.getState().contains(pyatspi.STATE_ACTIVE)
                     for program in pyatspi.Registry.getDesktop(0) for each in shown(program)))
elif command == "rows":
    def cells(accessible):
        for child in accessible:
            if child.getRole() in (pyatspi.ROLE_TABLE_CELL, pyatspi.ROLE_TREE_ITEM, pyatspi.ROLE_LIST_ITEM):
                yield child.name
            else:
                yield from cells(child)
    print(*cells(window(title)[0]), sep="\n")
elif command == "centre":
    def named(accessible, name):
        for child in accessible:
            if child.name == name and child.getState().contains(pyatspi.STATE_SHOWING):
                return child
            if found := named(child, name):
                return found
        return None
    shown_window = window(title)[0]
    control = named(shown_window, sys.argv[3])
    if not control:
        sys.exit(f'atspi_window: no control "{sys.argv[3]}" in "{title}"')
    # Qt gives places from the screen's corner on X, from the window's on Wayland.
    left, top, _, _ = shown_window.queryComponent().getExtents(pyatspi.WINDOW_COORDS)
    x, y, width, height = control.queryComponent().getExtents(pyatspi.WINDOW_COORDS)
    print(x - left + width // 2, y - top + height // 2)
elif command == "size":
    print(*window(title)[0].queryComponent().getSize())
