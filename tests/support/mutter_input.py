#!/usr/bin/python3
"""Works the pointer and keyboard of a headless mutter as a person would, through its
remote-desktop session on the session bus, and takes pictures of the virtual monitor Meta-0
through the session's screen cast. mutter ends the session when its owner leaves the bus, so
this program stays: it says "ready", then reads one command a line and answers "ok" or
"error WHY".

    move X Y / press / release / click X Y    the pointer, in pixels of the monitor; button 1
    key NAME[+NAME...]                        keys by X keysym name (Alt_L+F4), held in turn
    screenshot FILE                           the monitor as last drawn, as a PNG
"""

import struct
import sys
import threading
import time
import zlib

import gi

gi.require_version("Gst", "1.0")
gi.require_version("GstApp", "1.0")
from gi.repository import Gio, GLib, Gst, GstApp  # noqa: E402,F401  (GstApp: the appsink's type)

REMOTE = "org.gnome.Mutter.RemoteDesktop"
CAST = "org.gnome.Mutter.ScreenCast"
BUTTON_LEFT = 0x110
KEYSYMS = {"Return": 0xFF0D, "Escape": 0xFF1B, "F4": 0xFFC1, "Shift_L": 0xFFE1, "Alt_L": 0xFFE9}
# Byte places of red, green and blue in a pixel of each four-byte format the cast may use.
CHANNELS = {"BGRx": (2, 1, 0), "BGRA": (2, 1, 0), "RGBx": (0, 1, 2), "RGBA": (0, 1, 2),
            "xRGB": (1, 2, 3), "ARGB": (1, 2, 3), "xBGR": (3, 2, 1), "ABGR": (3, 2, 1)}


class Session:
    def __init__(self):
        self.bus = Gio.bus_get_sync(Gio.BusType.SESSION, None)
        self.remote = self.call(REMOTE, "/org/gnome/Mutter/RemoteDesktop", REMOTE, "CreateSession", None, "(o)")[0]
        session_id = self.call(REMOTE, self.remote, "org.freedesktop.DBus.Properties", "Get",
                               GLib.Variant("(ss)", (REMOTE + ".Session", "SessionId")), "(v)")[0]
        options = {"remote-desktop-session-id": GLib.Variant("s", session_id)}
        cast = self.call(CAST, "/org/gnome/Mutter/ScreenCast", CAST, "CreateSession",
                         GLib.Variant("(a{sv})", (options,)), "(o)")[0]
        self.stream = self.call(CAST, cast, CAST + ".Session", "RecordMonitor",
                                GLib.Variant("(sa{sv})", ("Meta-0", {"cursor-mode": GLib.Variant("u", 0)})), "(o)")[0]
        node = []
        self.bus.signal_subscribe(CAST, CAST + ".Stream", "PipeWireStreamAdded", self.stream, None,
                                  Gio.DBusSignalFlags.NONE, lambda *signal: node.append(signal[-1].unpack()[0]))
        self.session("Start")
        deadline = time.monotonic() + 20
        while not node and time.monotonic() < deadline:
            GLib.MainContext.default().iteration(False) or time.sleep(0.01)
        if not node:
            raise RuntimeError("mutter did not start the screen cast")
        # mutter sends a frame whenever it draws, and it draws after a pointer move once it has
        # worked out what is under the pointer: a button sent before that frame would go to
        # whatever was under it before.
        self.frames, self.sample, self.changed = 0, None, threading.Condition()
        self.pipeline = Gst.parse_launch("pipewiresrc path=%d always-copy=true ! video/x-raw ! appsink name=sink "
                                         "max-buffers=1 drop=true sync=false emit-signals=true" % node[0])
        self.pipeline.get_by_name("sink").connect("new-sample", self.on_sample)
        self.pipeline.set_state(Gst.State.PLAYING)
        self.wait_for_frame_after(0, 20)
        # The seat offers clients a pointer and a keyboard only once the session's devices
        # have sent something, and a client loses the first key while it binds its keyboard.
        self.position = None
        self.move(0, 0)
        self.key("Shift_L")

    def call(self, dest, path, iface, method, params, reply=None):
        return self.bus.call_sync(dest, path, iface, method, params, GLib.VariantType(reply) if reply else None,
                                  Gio.DBusCallFlags.NONE, 10000, None)

    def session(self, method, *args, signature=None):
        return self.call(REMOTE, self.remote, REMOTE + ".Session", method,
                         GLib.Variant(signature, args) if signature else None)

    def on_sample(self, sink):
        with self.changed:
            self.sample = sink.emit("pull-sample")
            self.frames += 1
            self.changed.notify_all()
        return Gst.FlowReturn.OK

    def wait_for_frame_after(self, count, seconds):
        with self.changed:
            if not self.changed.wait_for(lambda: self.frames > count, seconds):
                raise RuntimeError("mutter drew nothing within %d s" % seconds)

    def move(self, x, y):
        if self.position != (x, y):
            frames = self.frames
            self.session("NotifyPointerMotionAbsolute", self.stream, x, y, signature="(sdd)")
            self.position = (x, y)
            self.wait_for_frame_after(frames, 5)

    def button(self, down):
        self.session("NotifyPointerButton", BUTTON_LEFT, down, signature="(ib)")

    def key(self, names):
        keys = [KEYSYMS[name] for name in names.split("+")]
        for down, order in ((True, keys), (False, reversed(keys))):
            for keysym in order:
                self.session("NotifyKeyboardKeysym", keysym, down, signature="(ub)")

    def screenshot(self, path):
        with self.changed:
            sample = self.sample
        caps = sample.get_caps().get_structure(0)
        width, height, (red, green, blue) = caps.get_value("width"), caps.get_value("height"), \
            CHANNELS[caps.get_value("format")]
        buffer = sample.get_buffer()
        data = buffer.extract_dup(0, buffer.get_size())
        stride = len(data) // height
        rows = bytearray()
        for y in range(height):
            line = data[y * stride:y * stride + width * 4]
            rgb = bytearray(width * 3)
            rgb[0::3], rgb[1::3], rgb[2::3] = line[red::4], line[green::4], line[blue::4]
            rows += b"\0" + rgb

        def chunk(kind, body):
            return struct.pack(">I", len(body)) + kind + body + struct.pack(">I", zlib.crc32(kind + body))
        with open(path, "wb") as out:
            out.write(b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 2, 0, 0, 0))
                      + chunk(b"IDAT", zlib.compress(bytes(rows), 1)) + chunk(b"IEND", b""))


def run(session, command, *args):
    if command in ("move", "click"):
        session.move(float(args[0]), float(args[1]))
    if command in ("press", "click"):
        session.button(True)
    if command in ("release", "click"):
        session.button(False)
    if command == "key":
        session.key(args[0])
    if command == "screenshot":
        session.screenshot(args[0])


def main():
    Gst.init(None)
    try:
        session = Session()
    except (GLib.Error, RuntimeError) as error:
        print("error", str(error).replace("\n", " "), flush=True)
        return 1
    print("ready", flush=True)
    for line in sys.stdin:
        try:
            run(session, *line.split())
            print("ok", flush=True)
        except (GLib.Error, RuntimeError, KeyError, ValueError, IndexError, TypeError, OSError) as error:
            print("error", str(error).replace("\n", " "), flush=True)
    session.pipeline.set_state(Gst.State.NULL)
    return 0


if __name__ == "__main__":
    sys.exit(main())
