#!/usr/bin/python3
# Presses a button of a running program's window through AT-SPI, for a display that takes no
# synthetic input (a headless Wayland compositor); exits 1 when it never shows in time.
#   atspi_window.py press PID NAME SECONDS    the shown button NAME of the program PID
#   atspi_window.py answer PID NAME SECONDS   the button NAME of its message box, then waits
#                                             until the box has gone
import sys
import time

import pyatspi

command, pid, name, seconds = sys.argv[1], int(sys.argv[2]), sys.argv[3], float(sys.argv[4])
deadline = time.monotonic() + seconds


# The shown descendants with this role and name (any name for None); rows are not walked.
def find(accessible, role, name):
    found = []
    for child in accessible or []:
        if child is None or not child.getState().contains(pyatspi.STATE_SHOWING):
            continue
        if child.getRole() == role and name in (None, child.name):
            found.append(child)
        if child.getRole() not in (pyatspi.ROLE_LIST, pyatspi.ROLE_TABLE, pyatspi.ROLE_TREE_TABLE):
            found += find(child, role, name)
    return found


def buttons():
    program = next((a for a in pyatspi.Registry.getDesktop(0) if a and a.get_process_id() == pid), None)
    places = find(program, pyatspi.ROLE_ALERT, None) if command == "answer" else [program]
    return [button for place in places for button in find(place, pyatspi.ROLE_PUSH_BUTTON, name)]


def wait_for(what, condition):
    while time.monotonic() < deadline:
        try:  # the tree may change under the walk: then look again
            if result := condition():
                return result
        except Exception:
            pass
        time.sleep(0.05)
    sys.exit(f"atspi_window: waited in vain for {what}")


wait_for(f'the button "{name}"', buttons)[0].queryAction().doAction(0)
if command == "answer":
    wait_for("the message box to close", lambda: not buttons())
