#!/usr/bin/python3
"""Drives the pointer and keyboard of a headless GNOME compositor (mutter) as a person would,
and takes pictures of its screen.

Holds one remote-desktop session of mutter on the session bus (DBUS_SESSION_BUS_ADDRESS), with
a screen cast of the monitor CONNECTOR (Meta-0, the first virtual monitor, when left out), so
that pointer places are absolute pixels of that monitor. mutter ends the session when its owner
leaves the bus, so this program stays running: it reads one command a line on standard input
and answers each with one line on standard output, "ok" (with a result, for some) or
"error WHY". It says "ready" first, once the screen cast delivers pictures and the seat has
both a pointer and a keyboard for Wayland clients.

    move X Y                   pointer to (X, Y); answers once the compositor has drawn a frame
                               after the move, so that it knows what is under the pointer
                               (the pointer starts at (0, 0))
    press [B] / release [B]    button B down or up (1 left, 2 middle, 3 right; 1 when left out)
    click X Y [B]              move, press, release
    key NAME                   press and release the key of an X keysym: Return, Escape, Tab,
                               space, BackSpace, Delete, Home, End, Left, Up, Right, Down, F1,
                               Shift_L, Control_L, Alt_L, a printable character, or 0x... for any
    keydown NAME / keyup NAME  press or release only
    keycode CODE               press and release the key of an evdev code (28 Return, 1 Escape)
    screenshot FILE            the monitor as it was last drawn, as a PNG (no pointer drawn)
    pixel X Y                  the colour at (X, Y) as it was last drawn: "ok RRGGBB"
    quit                       end the session

    mutter_input.py [CONNECTOR]
"""

import struct
import sys
import threading
import time
import zlib

import gi

gi.require_version("Gio", "2.0")
gi.require_version("Gst", "1.0")
gi.require_version("GstApp", "1.0")
from gi.repository import Gio, GLib, Gst, GstApp  # noqa: E402,F401  (GstApp: the appsink's type)

REMOTE = "org.gnome.Mutter.RemoteDesktop"
CAST = "org.gnome.Mutter.ScreenCast"
BUTTONS = {1: 0x110, 2: 0x112, 3: 0x111}  # BTN_LEFT, BTN_MIDDLE, BTN_RIGHT
KEYSYMS = {
    "Return": 0xFF0D, "Escape": 0xFF1B, "Tab": 0xFF09, "BackSpace": 0xFF08, "Delete": 0xFFFF,
    "space": 0x20, "Home": 0xFF50, "Left": 0xFF51, "Up": 0xFF52, "Right": 0xFF53, "Down": 0xFF54,
    "End": 0xFF57, "F1": 0xFFBE, "Shift_L": 0xFFE1, "Control_L": 0xFFE3, "Alt_L": 0xFFE9,
}
# Byte places of red, green and blue in a pixel of each four-byte format the cast may use.
CHANNELS = {"BGRx": (2, 1, 0), "BGRA": (2, 1, 0), "RGBx": (0, 1, 2), "RGBA": (0, 1, 2),
            "xRGB": (1, 2, 3), "ARGB": (1, 2, 3), "xBGR": (3, 2, 1), "ABGR": (3, 2, 1)}
FIRST_FRAME_SECONDS = 20
FRAME_AFTER_MOVE_SECONDS = 5


class ScreenCast:
    """Reads the monitor's PipeWire stream and keeps its latest frame. mutter sends a frame
    whenever it redraws the screen, and it redraws after every pointer move to a new place,
    having first worked out what is under the pointer: a new frame after a move means the
    move has taken effect."""

    def __init__(self, node):
        self.frames = 0
        self.sample = None
        self.changed = threading.Condition()
        # Plain video in memory: offered any kind of buffer, the stream never started here.
        self.pipeline = Gst.parse_launch(
            "pipewiresrc path=%d always-copy=true ! video/x-raw ! appsink name=sink max-buffers=1 drop=true "
            "sync=false emit-signals=true" % node)
        self.pipeline.get_by_name("sink").connect("new-sample", self.on_sample)
        self.pipeline.set_state(Gst.State.PLAYING)

    def on_sample(self, sink):
        sample = sink.emit("pull-sample")
        with self.changed:
            self.sample = sample
            self.frames += 1
            self.changed.notify_all()
        return Gst.FlowReturn.OK

    def wait_for_frame_after(self, count, seconds):
        with self.changed:
            return self.changed.wait_for(lambda: self.frames > count, seconds)

    def latest(self):
        """The latest frame: its pixels, width, height, bytes per row, and the byte places of
        red, green and blue in a pixel."""
        with self.changed:
            sample = self.sample
        structure = sample.get_caps().get_structure(0)
        fmt = structure.get_value("format")
        width, height = structure.get_value("width"), structure.get_value("height")
        if fmt not in CHANNELS:
            raise RuntimeError("the screen cast sends %s pictures, which this program cannot read" % fmt)
        buffer = sample.get_buffer()
        ok, mapped = buffer.map(Gst.MapFlags.READ)
        if not ok:
            raise RuntimeError("cannot read the screen cast's picture")
        try:
            data = bytes(mapped.data)
        finally:
            buffer.unmap(mapped)
        return data, width, height, len(data) // height, CHANNELS[fmt]

    def pixel(self, x, y):
        data, width, height, stride, (red, green, blue) = self.latest()
        if not (0 <= x < width and 0 <= y < height):
            raise ValueError("(%d, %d) is off the %dx%d screen" % (x, y, width, height))
        at = y * stride + x * 4
        return "%02X%02X%02X" % (data[at + red], data[at + green], data[at + blue])

    def write_png(self, path):
        data, width, height, stride, (red, green, blue) = self.latest()
        rows = bytearray()
        for y in range(height):
            line = data[y * stride:y * stride + width * 4]
            rgb = bytearray(width * 3)
            rgb[0::3], rgb[1::3], rgb[2::3] = line[red::4], line[green::4], line[blue::4]
            rows += b"\0" + rgb
        with open(path, "wb") as out:
            out.write(png(width, height, bytes(rows)))

    def stop(self):
        self.pipeline.set_state(Gst.State.NULL)


def png(width, height, rows):
    def chunk(kind, body):
        return struct.pack(">I", len(body)) + kind + body + struct.pack(">I", zlib.crc32(kind + body))
    header = struct.pack(">IIBBBBB", width, height, 8, 2, 0, 0, 0)
    return b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) + chunk(b"IDAT", zlib.compress(rows, 1)) + chunk(b"IEND", b"")


class Session:
    def __init__(self, connector):
        self.bus = Gio.bus_get_sync(Gio.BusType.SESSION, None)
        self.remote = self.call(REMOTE, "/org/gnome/Mutter/RemoteDesktop", REMOTE, "CreateSession",
                                None, "(o)")[0]
        session_id = self.call(REMOTE, self.remote, "org.freedesktop.DBus.Properties", "Get",
                               GLib.Variant("(ss)", (REMOTE + ".Session", "SessionId")), "(v)")[0]
        options = {"remote-desktop-session-id": GLib.Variant("s", session_id)}
        cast = self.call(CAST, "/org/gnome/Mutter/ScreenCast", CAST, "CreateSession",
                         GLib.Variant("(a{sv})", (options,)), "(o)")[0]
        # The pointer stays out of the pictures (cursor-mode 0: hidden).
        self.stream = self.call(CAST, cast, CAST + ".Session", "RecordMonitor",
                                GLib.Variant("(sa{sv})", (connector, {"cursor-mode": GLib.Variant("u", 0)})),
                                "(o)")[0]
        self.node = None
        self.closed = False
        self.bus.signal_subscribe(CAST, CAST + ".Stream", "PipeWireStreamAdded", self.stream, None,
                                  Gio.DBusSignalFlags.NONE, self.on_stream_added)
        self.bus.signal_subscribe(REMOTE, REMOTE + ".Session", "Closed", self.remote, None,
                                  Gio.DBusSignalFlags.NONE, self.on_closed)
        self.session("Start")
        context = GLib.MainContext.default()
        deadline = time.monotonic() + FIRST_FRAME_SECONDS
        while self.node is None and not self.closed and time.monotonic() < deadline:
            context.iteration(False) or time.sleep(0.01)
        if self.node is None:
            raise RuntimeError("mutter did not start the screen cast of %s" % connector)
        self.cast = ScreenCast(self.node)
        if not self.cast.wait_for_frame_after(0, max(0.0, deadline - time.monotonic())):
            self.cast.stop()
            raise RuntimeError("the screen cast of %s delivered no picture (is WirePlumber running?)" % connector)
        # The seat offers Wayland clients a pointer and a keyboard only once the session's
        # devices have sent something: a client started before that gets neither, and the
        # first key of one already running is lost while it binds its new keyboard. So the
        # pointer goes to the top left corner and Shift is tapped before any test begins.
        self.position = None
        self.move(0, 0)
        self.keysym("Shift_L", True)
        self.keysym("Shift_L", False)

    def call(self, dest, path, iface, method, params, reply=None):
        return self.bus.call_sync(dest, path, iface, method, params,
                                  GLib.VariantType(reply) if reply else None,
                                  Gio.DBusCallFlags.NONE, 10000, None)

    def session(self, method, *args, signature=None):
        params = GLib.Variant(signature, args) if signature else None
        return self.call(REMOTE, self.remote, REMOTE + ".Session", method, params)

    def on_stream_added(self, _bus, _sender, _path, _iface, _signal, params):
        self.node = params.unpack()[0]

    def on_closed(self, *_):
        self.closed = True

    def move(self, x, y):
        # mutter works out what is under the pointer when it next draws, not on each event: a
        # button sent before that goes to whatever was under the pointer before the move. A
        # move to where the pointer already is may draw nothing, and needs nothing.
        if self.position == (x, y):
            return
        frames = self.cast.frames
        self.session("NotifyPointerMotionAbsolute", self.stream, x, y, signature="(sdd)")
        self.position = (x, y)
        if not self.cast.wait_for_frame_after(frames, FRAME_AFTER_MOVE_SECONDS):
            raise RuntimeError("mutter drew no frame within %d s of the move" % FRAME_AFTER_MOVE_SECONDS)

    def button(self, number, down):
        self.session("NotifyPointerButton", BUTTONS[number], down, signature="(ib)")

    def keysym(self, name, down):
        self.session("NotifyKeyboardKeysym", keysym_of(name), down, signature="(ub)")

    def keycode(self, code, down):
        self.session("NotifyKeyboardKeycode", code, down, signature="(ub)")

    def stop(self):
        self.cast.stop()
        if not self.closed:
            try:
                self.session("Stop")
            except GLib.Error:
                pass


def keysym_of(name):
    if name in KEYSYMS:
        return KEYSYMS[name]
    if name.startswith("0x"):
        return int(name, 16)
    if len(name) == 1 and 0x20 <= ord(name) <= 0xFF:
        return ord(name)
    raise ValueError("unknown key %r" % name)


def button_of(args, index):
    number = int(args[index]) if len(args) > index else 1
    if number not in BUTTONS:
        raise ValueError("no button %d" % number)
    return number


def run(session, words):
    command, args = words[0], words[1:]
    if command == "move":
        session.move(float(args[0]), float(args[1]))
    elif command in ("press", "release"):
        session.button(button_of(args, 0), command == "press")
    elif command == "click":
        number = button_of(args, 2)
        session.move(float(args[0]), float(args[1]))
        session.button(number, True)
        session.button(number, False)
    elif command == "key":
        session.keysym(args[0], True)
        session.keysym(args[0], False)
    elif command in ("keydown", "keyup"):
        session.keysym(args[0], command == "keydown")
    elif command == "keycode":
        session.keycode(int(args[0]), True)
        session.keycode(int(args[0]), False)
    elif command == "screenshot":
        session.cast.write_png(args[0])
    elif command == "pixel":
        return session.cast.pixel(int(args[0]), int(args[1]))
    else:
        raise ValueError("unknown command %r" % command)
    return None


def main():
    Gst.init(None)
    connector = sys.argv[1] if len(sys.argv) > 1 else "Meta-0"
    try:
        session = Session(connector)
    except (GLib.Error, RuntimeError) as error:
        print("error", str(error).replace("\n", " "), flush=True)
        return 1
    # The session's signals (its end) arrive on a thread of their own while commands block.
    loop = GLib.MainLoop()
    threading.Thread(target=loop.run, daemon=True).start()
    print("ready", flush=True)
    for line in sys.stdin:
        words = line.split()
        if not words:
            continue
        if words[0] == "quit":
            break
        if session.closed:
            print("error mutter ended the remote-desktop session", flush=True)
            continue
        try:
            result = run(session, words)
            print("ok" if result is None else "ok " + result, flush=True)
        except (GLib.Error, RuntimeError, ValueError, IndexError, OSError) as error:
            print("error", str(error).replace("\n", " "), flush=True)
    session.stop()
    return 0


if __name__ == "__main__":
    sys.exit(main())
