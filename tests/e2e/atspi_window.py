#!/usr/bin/python3
# Works the window of a running program through AT-SPI, for displays that take no synthetic
# input (a headless Wayland compositor): buttons are pressed through their Action interface.
#
#   atspi_window.py press PID NAME SECONDS    presses the shown button NAME of the program PID
#                                             once it is there
#   atspi_window.py answer PID NAME SECONDS   presses the button NAME of the program's shown
#                                             message box, then waits until the box has gone
#
# Exit status 0 on success, 1 when the button never showed or the box stayed.
import sys
import time

import pyatspi

command, pid, name, seconds = sys.argv[1], int(sys.argv[2]), sys.argv[3], float(sys.argv[4])
deadline = time.monotonic() + seconds


def showing(accessible):
    return accessible.getState().contains(pyatspi.STATE_SHOWING)


# The shown descendants of `accessible` with this role and name; lists and tables are not
# walked (their rows hold no buttons).
def find(accessible, role, name):
    found = []
    for child in accessible:
        if child is None or not showing(child):
            continue
        if child.getRole() == role and (name is None or child.name == name):
            found.append(child)
        if child.getRole() not in (pyatspi.ROLE_LIST, pyatspi.ROLE_TABLE, pyatspi.ROLE_TREE_TABLE):
            found += find(child, role, name)
    return found


def program():
    for application in pyatspi.Registry.getDesktop(0):
        if application is not None and application.get_process_id() == pid:
            return application
    return None


# The shown buttons NAME: anywhere in the program, or in its message boxes alone.
def buttons(in_boxes):
    application = program()
    if application is None:
        return []
    if not in_boxes:
        return find(application, pyatspi.ROLE_PUSH_BUTTON, name)
    return [button for box in find(application, pyatspi.ROLE_ALERT, None)
            for button in find(box, pyatspi.ROLE_PUSH_BUTTON, name)]


def wait_for(what, condition):
    while True:
        try:
            result = condition()
        except Exception:  # the tree changed under the walk: look again
            result = None
        if result:
            return result
        if time.monotonic() > deadline:
            sys.exit(f"atspi_window: waited in vain for {what}")
        time.sleep(0.05)


in_boxes = command == "answer"
button = wait_for(f'the button "{name}"', lambda: buttons(in_boxes))[0]
button.queryAction().doAction(0)
if in_boxes:
    wait_for("the message box to close", lambda: program() and not buttons(True))
