#!/usr/bin/env python3
"""End-to-end tests of the desktop program under Xvfb and a headless sway.

Starts the real program on a fresh Xvfb display in a scratch directory,
drives it with xdotool (keys and clicks), captures the screen and compares it
pixel for pixel with what zynmon-render draws for the same state, everywhere
outside the control panel. On a headless Wayland desktop (sway, with several
outputs) it starts the program as a Wayland client and through XWayland and
compares each output with grim's screenshots.

    tests/e2e/e2e.py BUILD_DIR [TEST_NAME ...]
"""

import collections
import contextlib
import ctypes
import functools
import json
import math
import os
import pwd
import re
import shutil
import socket
import struct
import subprocess
import sys
import tempfile
import time

WIDTH, HEIGHT, DEPTH = 1024, 768, 24
TIMEOUT = 10.0
CONVERT = "/usr/bin/convert"
LOGO_FILE = "zynlogo.dta"
LOGO_COLOUR = bytes((40, 66, 132))
# The logo's width once zoomed: 2 * (WIDTH / 3 - 1).
FINAL_LOGO_WIDTH = 2 * (WIDTH // 3 - 1)
PANEL_TITLE = "ZYN Monitor Test Kontrollfeld"

# Panel template positions in dialog units (x, y, w, h) of the controls the tests use.
CONTROLS = {"Rot": (120, 15, 25, 10), "Grün": (120, 25, 30, 10), "Blau": (120, 35, 30, 10),
            "Volles Bild": (50, 80, 50, 14), "Hoch": (120, 65, 35, 10)}
# The window managers the tests run under, as each is started on the display.
WINDOW_MANAGERS = {"openbox": ["openbox", "--sm-disable"], "metacity": ["metacity", "--sm-disable"],
                   "icewm": ["icewm"]}
# The unprivileged user that runs sway when the tests run as root.
USER = "zynmon-e2e"
ENV_DROPPED = ("DISPLAY", "WAYLAND_DISPLAY", "GDK_SCALE", "GDK_DPI_SCALE", "GDK_BACKEND")
# What the user sees: the picture in its state, and the panel shown above it or hidden.
State = collections.namedtuple("State", "picture variant panel guns resolution",
                               defaults=("none", 1))


class Failure(Exception):
    pass


def mul_div(a, b, c):
    return (a * b + c // 2) // c


def run(args, env, timeout=TIMEOUT, check=True, input=None):
    result = subprocess.run(args, env=env, capture_output=True, timeout=timeout, input=input)
    if check and result.returncode != 0:
        raise Failure(f"{' '.join(args)} failed: {result.stderr.decode(errors='replace')}")
    return result.stdout


def stop(process):
    if process is not None and process.poll() is None:
        process.terminate()
        try:
            process.wait(timeout=5)
        except subprocess.TimeoutExpired:
            process.kill()
            process.wait()


def wait_until(condition, what, timeout=TIMEOUT):
    """Returns the condition's first true value."""
    deadline = time.monotonic() + timeout
    while time.monotonic() < deadline:
        value = condition()
        if value:
            return value
        time.sleep(0.05)
    raise Failure(f"timed out waiting for {what}")


def expect(condition, message):
    if not condition:
        raise Failure(message)


def spans(screen, mask, width):
    """The screen's rows cut around the mask rectangle (x0, y0, x1, y1), as (x, y, raw RGB)."""
    mx0, my0, mx1, my1 = mask or (0, 0, 0, 0)
    for y in range(len(screen) // (width * 3)):
        for x0, x1 in [(0, max(0, mx0)), (min(width, mx1), width)] if my0 <= y < my1 else [(0, width)]:
            yield x0, y, screen[(y * width + x0) * 3:(y * width + x1) * 3]


def same(screen, expected, mask=None, width=WIDTH):
    """Whether the screen equals the expected one outside the mask."""
    return len(screen) == len(expected) and all(
        a == b for (_, _, a), (_, _, b) in zip(spans(screen, mask, width), spans(expected, mask, width)))


def expect_same(measure, what):
    """Waits until measure()'s (screen, expected, mask, width) are the same; names the
    pixels that differ when they never are."""
    last = []
    try:
        wait_until(lambda: last.append(measure()) or same(*last[-1]), what)
    except Failure:
        screen, expected, mask, width = last[-1]
        expect(len(screen) == len(expected), f"{what}: screen of {len(screen)} bytes, not {len(expected)}")
        found = [(x + i // 3, y, a[i:i + 3].hex(), b[i:i + 3].hex())
                 for (x, y, a), (_, _, b) in zip(spans(screen, mask, width), spans(expected, mask, width))
                 for i in range(0, len(a), 3) if a[i:i + 3] != b[i:i + 3]]
        raise Failure(f"{what}: {len(found)} pixels differ, first at {found[:1]}") from None


def crop(screen, rect, width=WIDTH):
    """The rectangle (x, y, w, h) of a screen as raw RGB."""
    x, y, w, h = rect
    return b"".join(screen[((y + row) * width + x) * 3:((y + row) * width + x + w) * 3]
                    for row in range(h))


class Display:
    """An Xvfb server on a free display number, optionally with a window manager
    (a name of WINDOW_MANAGERS). Sway below offers the same methods."""

    def __init__(self, window_manager=None):
        read_fd, write_fd = os.pipe()
        self.server = subprocess.Popen(
            ["Xvfb", "-displayfd", str(write_fd), "-screen", "0", f"{WIDTH}x{HEIGHT}x{DEPTH}",
             "-nolisten", "tcp", "-noreset"],
            pass_fds=(write_fd,), stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        os.close(write_fd)
        with os.fdopen(read_fd) as numbers:
            number = numbers.readline().strip()
        expect(number, "Xvfb did not start")
        self.env = dict({k: v for k, v in os.environ.items() if k not in ENV_DROPPED},
                        DISPLAY=f":{number}", NO_AT_BRIDGE="1")
        self.wm = None
        if window_manager:
            self.wm = subprocess.Popen(WINDOW_MANAGERS[window_manager], env=self.env,
                                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
            wait_until(lambda: b"_NET_SUPPORTING_WM_CHECK(WINDOW)" in run(
                ["xprop", "-root", "_NET_SUPPORTING_WM_CHECK"], self.env, check=False),
                f"{window_manager} to manage the screen")

    def close(self):
        for process in (self.wm, self.server):
            stop(process)

    def xdotool(self, *args):
        return run(["xdotool", *map(str, args)], self.env).decode()

    def click(self, x, y, button=1, repeat=1):
        self.xdotool("mousemove", x, y, "click", "--repeat", repeat, "--delay", 60, button)

    def find_windows(self, title):
        found = run(["xdotool", "search", "--onlyvisible", "--name", f"^{title}$"], self.env,
                    check=False)
        return [w.decode() for w in found.split()]

    def window_geometry(self, window):
        """Absolute position and size of the window's client area."""
        info = run(["xwininfo", "-id", window], self.env).decode()
        return tuple(int(re.search(rf"{key}: *(-?\d+)", info)[1]) for key in
                     ("Absolute upper-left X", "Absolute upper-left Y", "Width", "Height"))

    def frame_extents(self, window):
        """left, right, top, bottom of the window manager's frame (0 without one)."""
        out = run(["xprop", "-id", window, "_NET_FRAME_EXTENTS"], self.env, check=False).decode()
        return tuple(int(v) for v in out.split("=")[1].split(",")) if "=" in out else (0, 0, 0, 0)

    def wait_for_frame(self, window):
        if self.wm is not None:
            wait_until(lambda: any(self.frame_extents(window)), "the window manager's frame")

    def window_frame(self, window):
        """The screen rectangle (x0, y0, x1, y1) of the window with all that the
        window manager draws around it: the top-level window that holds it."""
        while "(the root window)" not in (parent := run(["xwininfo", "-tree", "-id", window], self.env)
                                          .decode().split("Parent window id: ")[1].splitlines()[0]):
            window = parent.split()[0]
        x, y, w, h = self.window_geometry(window)
        return x, y, x + w, y + h

    def screenshot(self, output=None, window=None):
        """The screen (or a window's own image) as its width and raw RGB."""
        xwd = run(["xwd", "-silent", *(["-id", window] if window else ["-root"])], self.env)
        rgb = run([CONVERT, "xwd:-", "-depth", "8", "rgb:-"], self.env, input=xwd)
        expect(window or len(rgb) == WIDTH * HEIGHT * 3, f"screenshot has {len(rgb)} bytes")
        return WIDTH, rgb


@contextlib.contextmanager
def xlib(display):
    """Xlib and a connection to the display, closed again on leaving."""
    x11 = ctypes.CDLL("libX11.so.6")
    x11.XOpenDisplay.restype = x11.XInternAtom.restype = ctypes.c_void_p
    x11.XOpenDisplay.argtypes = [ctypes.c_char_p]
    x11.XInternAtom.argtypes = [ctypes.c_void_p, ctypes.c_char_p, ctypes.c_int]
    x11.XSendEvent.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_long, ctypes.c_void_p]
    x11.XCloseDisplay.argtypes = x11.XFlush.argtypes = x11.XFree.argtypes = [ctypes.c_void_p]
    dpy = x11.XOpenDisplay(display.env["DISPLAY"].encode())
    expect(dpy, "cannot open the display")
    try:
        yield x11, dpy
    finally:
        x11.XCloseDisplay(dpy)


def send_delete_window(display, window):
    """What a window manager's close box does: WM_DELETE_WINDOW to the client."""
    with xlib(display) as (x11, dpy):
        # An XClientMessageEvent in longs: type, serial, send_event, display, window,
        # message_type, format, then the data: the protocol and the time (CurrentTime).
        event = (ctypes.c_long * 24)(33, 0, 0, 0, int(window), x11.XInternAtom(dpy, b"WM_PROTOCOLS", 0),
                                     32, x11.XInternAtom(dpy, b"WM_DELETE_WINDOW", 0), 0)
        x11.XSendEvent(dpy, int(window), 0, 0, event)
        x11.XFlush(dpy)


class CursorImage(ctypes.Structure):
    _fields_ = [("x", ctypes.c_short), ("y", ctypes.c_short), ("width", ctypes.c_ushort),
                ("height", ctypes.c_ushort), ("xhot", ctypes.c_ushort), ("yhot", ctypes.c_ushort),
                ("serial", ctypes.c_ulong), ("pixels", ctypes.POINTER(ctypes.c_ulong))]


def cursor_hidden(display):
    """Whether the pointer's current cursor image is wholly transparent (XFixes)."""
    xfixes = ctypes.CDLL("libXfixes.so.3")
    xfixes.XFixesGetCursorImage.restype = ctypes.POINTER(CursorImage)
    xfixes.XFixesGetCursorImage.argtypes = [ctypes.c_void_p]
    xfixes.XFixesQueryExtension.argtypes = [ctypes.c_void_p, *[ctypes.POINTER(ctypes.c_int)] * 2]
    with xlib(display) as (x11, dpy):
        bases = ctypes.c_int(), ctypes.c_int()
        expect(xfixes.XFixesQueryExtension(dpy, *map(ctypes.byref, bases)), "the display has no XFixes")
        image = xfixes.XFixesGetCursorImage(dpy)
        expect(image, "no cursor image")
        pixels = image.contents.pixels[:image.contents.width * image.contents.height]
        x11.XFree(image)
        return all(pixel >> 24 & 0xFF == 0 for pixel in pixels)


def virtual_pointer(path):
    """A pointer device on sway's seat (a headless sway has none, and without one its
    clients get no pointer), made through the virtual pointer protocol in the Wayland
    wire format. The device lasts as long as the connection returned."""
    sock = socket.socket(socket.AF_UNIX, socket.SOCK_STREAM)
    sock.connect(path)
    sock.settimeout(TIMEOUT)
    data = b""

    def message(obj, opcode, body):
        return struct.pack("<II", obj, (8 + len(body)) << 16 | opcode) + body

    def roundtrip(callback, *messages):
        """Sends the messages and wl_display.sync, and returns the events (object, opcode,
        body) that come before the callback's."""
        nonlocal data
        sock.sendall(b"".join(messages) + message(1, 0, struct.pack("<I", callback)))
        events = []
        while True:
            while len(data) >= 8 and len(data) >= struct.unpack_from("<I", data, 4)[0] >> 16:
                obj, word = struct.unpack_from("<II", data)
                body, data = data[8:word >> 16], data[word >> 16:]
                if obj == callback:
                    return events
                events.append((obj, word & 0xFFFF, body))
            chunk = sock.recv(65536)
            expect(chunk, "sway closed the virtual pointer's connection")
            data += chunk

    # wl_display.get_registry as object 2: its global events name the interfaces.
    names = {body[8:7 + struct.unpack_from("<I", body, 4)[0]]: body[:4]
             for obj, opcode, body in roundtrip(3, message(1, 1, struct.pack("<I", 2))) if obj == 2}
    interface = b"zwlr_virtual_pointer_manager_v1"
    expect(interface in names, "sway offers no virtual pointer manager")
    # wl_registry.bind as object 4 (the name with its nul fills 32 bytes, no padding), then
    # create_virtual_pointer on the default seat as object 5.
    bind = names[interface] + struct.pack("<I", 32) + interface + b"\0" + struct.pack("<II", 1, 4)
    roundtrip(6, message(2, 0, bind), message(4, 0, struct.pack("<II", 0, 5)))
    return sock


class Sway:
    """A headless sway desktop with two outputs: Wayland clients connect through
    `envs["wayland"]`, X11 clients through its XWayland with `envs["x11"]`. Windows are
    sway's containers, found by title in its tree."""

    OUTPUTS = ((1280, 1024, 0, 0), (1920, 1080, 1280, 0))  # HEADLESS-1, -2: size, position

    def __init__(self):
        self.process = self.pointer = None
        self.runtime = tempfile.mkdtemp(prefix="zynmon-sway-")
        try:
            self._start()
        except BaseException:
            self.close()
            raise

    def _start(self):
        config = os.path.join(self.runtime, "config")
        with open(config, "w") as f:
            # The virtual pointer's cursor would show in the screenshots.
            f.write("xwayland force\nseat * hide_cursor 100\n")
            for i, (w, h, x, y) in enumerate(self.OUTPUTS, 1):
                f.write(f"output HEADLESS-{i} mode {w}x{h} position {x} {y} scale 1\n")
        env = {"PATH": os.environ.get("PATH", "/usr/bin:/bin"), "HOME": self.runtime,
               "XDG_RUNTIME_DIR": self.runtime, "WLR_BACKENDS": "headless",
               "WLR_LIBINPUT_NO_DEVICES": "1", "WLR_RENDERER": "pixman"}
        ids = {}
        if os.getuid() == 0:
            # sway refuses to run as root: it runs as a user made for the tests (useradd
            # fails harmlessly once the user exists), and XWayland wants its socket
            # directory to belong to root.
            run(["useradd", "--system", "--no-create-home", "--shell", "/usr/sbin/nologin", USER],
                os.environ, check=False)
            os.makedirs("/tmp/.X11-unix", exist_ok=True)
            os.chown("/tmp/.X11-unix", 0, 0)
            os.chmod("/tmp/.X11-unix", 0o1777)
            account = pwd.getpwnam(USER)
            os.chown(self.runtime, account.pw_uid, account.pw_gid)
            ids = dict(user=account.pw_uid, group=account.pw_gid, extra_groups=[])
        os.chmod(self.runtime, 0o700)
        self.log = open(os.path.join(self.runtime, "sway.log"), "w")
        self.process = subprocess.Popen(["sway", "-c", config], env=env, cwd=self.runtime,
                                        stdout=self.log, stderr=self.log, **ids)
        self.wayland_socket, self.ipc_socket = wait_until(self._sockets, "sway to start")
        self.swaymsg("create_output")
        wait_until(lambda: [(o["current_mode"]["width"], o["current_mode"]["height"], o["rect"]["x"],
                             o["rect"]["y"]) for o in self.outputs()] == list(self.OUTPUTS),
                   "sway's outputs")
        # XWayland's display, as sway gives it to the programs it starts.
        display_file = os.path.join(self.runtime, "display")
        self.swaymsg("exec", f"echo $DISPLAY > {display_file}")
        display = wait_until(lambda: os.path.exists(display_file)
                             and open(display_file).read().strip(), "XWayland's display name")
        base = dict({k: v for k, v in os.environ.items() if k not in ENV_DROPPED}, NO_AT_BRIDGE="1")
        self.envs = {
            "wayland": dict(base, GDK_BACKEND="wayland", XDG_RUNTIME_DIR=self.runtime,
                            WAYLAND_DISPLAY=os.path.join(self.runtime, self.wayland_socket)),
            "x11": dict(base, GDK_BACKEND="x11", DISPLAY=display),
        }
        self.env = self.envs["wayland"]
        # Made before any program starts, so that each finds a pointer on the seat.
        self.pointer = virtual_pointer(os.path.join(self.runtime, self.wayland_socket))
        # The new pointer's cursor shows until sway's hide_cursor timer hides
        # it: the tests' pictures of the empty desktop must not hold it.
        wait_until(lambda: all(rgb == rgb[:3] * (len(rgb) // 3)
                               for rgb in (self.screenshot(o["name"])[1] for o in self.outputs())),
                   "the empty desktop without a cursor")
        # XWayland admits only sway's user: admit this one too.
        self.swaymsg("exec", f"xhost +si:localuser:{pwd.getpwuid(os.getuid()).pw_name}")
        wait_until(lambda: run(["xprop", "-root"], self.envs["x11"], check=False),
                   "XWayland to accept clients")

    def _sockets(self):
        names = os.listdir(self.runtime)
        wayland = [n for n in names if n.startswith("wayland-") and not n.endswith(".lock")]
        ipc = [n for n in names if n.startswith("sway-ipc.")]
        expect(self.process.poll() is None, f"sway ended: {open(self.log.name).read()[-2000:]}")
        return (wayland[0], os.path.join(self.runtime, ipc[0])) if wayland and ipc else None

    def close(self):
        if self.pointer is not None:
            self.pointer.close()
        if self.process is not None:
            stop(self.process)
            self.log.close()
        shutil.rmtree(self.runtime, ignore_errors=True)

    def swaymsg(self, *args):
        out = run(["swaymsg", "-s", self.ipc_socket, "-r", *map(str, args)], os.environ)
        return json.loads(out) if out.strip() else None

    def outputs(self):
        return self.swaymsg("-t", "get_outputs")

    def output(self, name):
        """An output's rectangle (x, y, width, height) in the desktop's layout, its scale
        and its refresh rate in Hz."""
        o = next(o for o in self.outputs() if o["name"] == name)
        return (*(o["rect"][k] for k in ("x", "y", "width", "height")), o["scale"],
                round(o["current_mode"]["refresh"] / 1000))

    def click(self, x, y, button=1, repeat=1):
        self.swaymsg("seat", "seat0", "cursor", "set", x, y)
        for action in ("press", "release") * repeat:
            self.swaymsg("seat", "seat0", "cursor", action, f"button{button}")

    def screenshot(self, output):
        """An output's width and pixels as raw RGB."""
        ppm = run(["grim", "-o", output, "-t", "ppm", "-"], self.env)
        magic, width, height, maximum, rgb = ppm.split(maxsplit=4)
        expect(magic == b"P6" and maximum == b"255" and len(rgb) == int(width) * int(height) * 3,
               f"grim gave no {output} screenshot")
        return int(width), rgb

    def _views(self, node=None):
        node = node or self.swaymsg("-t", "get_tree")
        if node.get("pid") is not None and node.get("visible"):
            yield node
        for child in node.get("nodes", []) + node.get("floating_nodes", []):
            yield from self._views(child)

    def _view(self, window):
        view = next((view for view in self._views() if view["id"] == window), None)
        expect(view, f"the window {window} went away")
        return view

    def find_windows(self, title):
        return [view["id"] for view in self._views() if view["name"] == title]

    def window_geometry(self, window):
        view = self._view(window)
        outer, inner = view["rect"], view["window_rect"]
        return outer["x"] + inner["x"], outer["y"] + inner["y"], inner["width"], inner["height"]

    def wait_for_frame(self, window):
        """Waits until sway has laid out the floating window with its title
        bar. Until then its tree gives the title bar's rows as the window's."""
        wait_until(lambda: self._view(window)["deco_rect"]["height"] > 0, "sway's title bar")

    def window_frame(self, window):
        view = self._view(window)
        x, y, w, h = (view["rect"][k] for k in ("x", "y", "width", "height"))
        # A floating window's title bar lies right above its rectangle.
        return x, y - view["deco_rect"]["height"], x + w, y + h


@functools.cache
def render(build_dir, scratch, picture, resolution=1, guns="none", variant=0, ticks=0,
           size=(WIDTH, HEIGHT), refresh=0, bpp=DEPTH):
    """zynmon-render's screen for a state, as raw RGB."""
    png = os.path.join(scratch, "render.png")
    run([os.path.join(build_dir, "zynmon-render"), "--picture", str(picture), "--size", "%dx%d" % size,
         "--bpp", str(bpp), "--resolution", str(resolution), "--guns", guns, "--variant", str(variant),
         "--ticks", str(ticks), "--refresh", str(refresh), "--output", png], os.environ)
    return run([CONVERT, png, "-depth", "8", "rgb:-"], os.environ)


class Program:
    """The desktop program running on a display, and what the tests know of it."""

    def __init__(self, ctx, directory=None, wait_for_panel=True, args=(), env=None):
        self.display, self.scale, self.render, self.clicks = ctx.display, ctx.scale, ctx.render, 0
        env = dict(env or self.display.env, **({"GDK_SCALE": str(ctx.scale)} if ctx.scale != 1 else {}))
        self.process = subprocess.Popen([os.path.join(ctx.build_dir, "zynmon"), *args], env=env,
                                        cwd=directory or ctx.scratch, stdout=subprocess.DEVNULL,
                                        stderr=subprocess.DEVNULL)
        ctx.programs.append(self)
        self.window = self.find("ZYN Monitor Test Window")
        if wait_for_panel:
            self.wait_for_panel()

    def wait_for_panel(self):
        self.panel = self.find(PANEL_TITLE)
        self.display.wait_for_frame(self.panel)
        x, y, w, h = self.panel_rect = self.display.window_geometry(self.panel)
        # The base units that give the panel's client size from its 170 x 106 units.
        bx = [b for b in range(1, 64) if mul_div(170, b, 4) == w // self.scale]
        by = [b for b in range(1, 64) if mul_div(106, b, 8) == h // self.scale]
        expect(bx and by, f"panel client {w}x{h} is not 170 x 106 dialog units")
        self.base = (bx[0], by[0])

    def find(self, title):
        def search():
            expect(self.process.poll() is None, f"the program ended with status {self.process.returncode}")
            return self.display.find_windows(title)
        return wait_until(search, f"the window {title!r}")[0]

    def panel_visible(self):
        return bool(self.display.find_windows(PANEL_TITLE))

    def panel_frame(self):
        """The panel's frame (x0, y0, x1, y1) where it is now; clicks go there
        too (sway may move the panel after it was found)."""
        self.panel_rect = self.display.window_geometry(self.panel)
        return self.display.window_frame(self.panel)

    def click_panel(self, du_x, du_y, du_w=0, du_h=0, pixels=0):
        """A click a third into a control given in dialog units, or pixels right and
        below its template position."""
        bx, by = self.base
        left = mul_div(du_x, bx, 4) + mul_div(du_w, bx, 4) * 0.3 + pixels
        top = mul_div(du_y, by, 8) + mul_div(du_h, by, 8) / 2 + pixels
        self.display.click(self.panel_rect[0] + int(left * self.scale),
                           self.panel_rect[1] + int(top * self.scale))

    def do(self, action):
        """"click B" or "double B" on the picture with mouse button B, "button N" the
        picture button of picture N, "control NAME", "keys K ..." to the panel, "type K ..."
        to the window that has the keyboard."""
        verb, _, arg = action.partition(" ")
        if verb in ("click", "double"):
            # Away from the panel, each click elsewhere: two clicks in a row are no double click.
            self.clicks += 1
            self.display.click(20 + 40 * (self.clicks % 8), 20, int(arg), 1 + (verb == "double"))
        elif verb == "button":
            # Six buttons to a row, each its bitmap's 18 x 18 pixels from its template position.
            self.click_panel(10 + 15 * (int(arg) % 6), 35 + 15 * (int(arg) // 6), pixels=9)
        elif verb == "control":
            self.click_panel(*CONTROLS[arg])
        else:
            if verb == "keys":
                self.display.xdotool("windowfocus", "--sync", self.panel)
            self.display.xdotool("key", *arg.split())

    def expect_screen(self, expected, what, masked=True, output=None):
        """The screen (or one output of sway's) equals the expected picture outside the
        panel's frame."""
        ox, oy, _, _, scale, _ = self.display.output(output) if output else (0, 0, 0, 0, 1, 0)

        def measure():
            mask = None
            if masked:
                # The frame in the layout's logical pixels, the screenshot in physical ones.
                x0, y0, x1, y1 = self.panel_frame()
                mask = (math.floor((x0 - ox) * scale), math.floor((y0 - oy) * scale),
                        math.ceil((x1 - ox) * scale), math.ceil((y1 - oy) * scale))
            width, screen = self.display.screenshot(output)
            return screen, expected, mask, width
        expect_same(measure, f"{what}{output and f' on {output}' or ''}")

    def walk(self, steps, output=None, **rendering):
        """Takes each step (an action, the state after it) and waits for the screen to show
        the state: the picture, and the panel shown above it or hidden. On X11 the cursor
        hides with the panel, and where the panel lies the screen shows its own image, not
        the picture (an obscured window's image is the screen's). A step that changes
        nothing, and a double click, first get time to do wrong."""
        state = None
        for action, *after in [(None, 0, 0, True), *steps]:
            if action:
                self.do(action)
            if State(*after) == state or action and action.startswith("double"):
                time.sleep(0.5)
            state = State(*after)
            what = f"after {action or 'the start'}: {state}"
            wait_until(lambda: self.panel_visible() == state.panel, f"{what}: the panel")
            picture = self.render(state.picture, variant=state.variant, guns=state.guns,
                                  resolution=state.resolution, **rendering)
            self.expect_screen(picture, what, state.panel, output)
            if isinstance(self.display, Display):
                wait_until(lambda: cursor_hidden(self.display) != state.panel, f"{what}: the cursor")
            if isinstance(self.display, Display) and state.panel:
                def measure():
                    self.panel_frame()
                    shown = crop(self.display.screenshot()[1], self.panel_rect)
                    own = self.display.screenshot(window=self.panel)[1]
                    # The picture above the panel: every pixel counts as wrong.
                    beneath = shown == crop(picture, self.panel_rect)
                    return shown, bytes(b ^ 0xFF for b in shown) if beneath else own, None, self.panel_rect[2]
                expect_same(measure, f"{what}: the panel on the screen")


class Context:
    """One test's display, renderer and scratch directory, and the programs it started."""

    def __init__(self, display, build_dir, scratch, scale):
        self.display, self.build_dir, self.scratch, self.scale = display, build_dir, scratch, scale
        self.render, self.programs = functools.partial(render, build_dir, scratch), []

    def intro_directory(self):
        """A directory holding the build's logo file, where the program plays its intro."""
        directory = os.path.join(self.scratch, "intro")
        os.makedirs(directory, exist_ok=True)
        shutil.copy(os.path.join(self.build_dir, "share", LOGO_FILE), directory)
        return directory


# The passes in their order: a name, how its desktop starts, GDK_SCALE.
PASSES = [
    ("plain", Display, 1),
    ("scaled x2", Display, 2),
    *((wm, lambda wm=wm: Display(window_manager=wm), 1) for wm in WINDOW_MANAGERS),
    # Two outputs, the program as a Wayland client and through XWayland.
    ("sway", Sway, 1),
]
TESTS = {name: [] for name, _, _ in PASSES}


def passes(*names):
    """Runs the test in the passes named, in the order of the tests' definitions."""
    def register(test):
        for name in names:
            TESTS[name].append(test)
        return test
    return register


# Steps from the start (picture 0, variant 0, the panel shown): an action of Program.do
# and the state after it (picture, variant, panel shown, guns, resolution level).
PANEL_AND_PICTURE = [
    # Up and Down in the panel's list, from the start where the list has the keyboard.
    ("keys Down", 1, 0, True), ("keys Down Down", 3, 0, True), ("keys Up", 2, 0, True),
    ("keys" + " Down" * 9, 11, 0, True), ("keys Down", 12, 0, True), ("keys" + " Up" * 12, 0, 0, True),
    # With the panel hidden the keys go to the test window, which the panel left.
    ("control Volles Bild", 0, 0, False), ("type Left", 12, 0, False), ("type space", 12, 1, False),
    ("type Right", 0, 0, False), ("type Next", 1, 0, False), ("type Down", 2, 0, False),
    ("type space", 2, 1, False), ("type Up", 1, 0, False), ("type Prior", 0, 0, False),
    ("type End", 12, 0, False), ("type Home", 0, 0, False), ("type Right", 1, 0, False),
    ("type Return", 1, 0, True), ("control Volles Bild", 1, 0, False), ("type Escape", 1, 0, True),
    # The panel's list followed the keys.
    ("keys Down", 2, 0, True),
    # Picture buttons; a left click hides the panel and the next one shows it again.
    ("button 12", 12, 0, True), ("click 1", 12, 0, False), ("click 1", 12, 0, True),
    ("button 5", 5, 0, True), ("button 8", 8, 0, True), ("button 2", 2, 0, True),
    ("button 1", 1, 0, True), ("button 4", 4, 0, True),
    # A right click steps the variant; the button of the shown picture keeps it.
    ("click 3", 4, 1, True), ("button 0", 0, 0, True), ("click 3", 0, 1, True), ("button 0", 0, 1, True),
    ("control Volles Bild", 0, 1, False), ("click 1", 0, 1, True),
    ("keys Return", 0, 1, False), ("click 1", 0, 1, True),
    # The second press of a double click does nothing.
    ("double 3", 0, 2, True), ("double 1", 0, 2, False), ("click 1", 0, 2, True),
    # The colour check boxes choose the guns.
    ("button 1", 1, 0, True), ("control Grün", 1, 0, True, "g"), ("control Grün", 1, 0, True, "none"),
    ("control Rot", 1, 0, True, "r"), ("control Blau", 1, 0, True, "rb"),
]


@passes("plain", "scaled x2", "openbox", "metacity", "icewm")
def test_panel_starts_centred_and_its_keys_buttons_and_clicks_choose_what_shows(ctx):
    p = Program(ctx)
    expect(ctx.display.window_geometry(p.window) == (0, 0, WIDTH, HEIGHT),
           f"test window at {ctx.display.window_geometry(p.window)}, not over the whole screen")
    s = p.scale
    x, y, w, h = p.panel_rect
    left, _, top, _ = ctx.display.frame_extents(p.panel)
    expected = (((WIDTH // s) >> 1) - ((w // s) >> 1), ((HEIGHT // s) >> 1) - ((h // s) >> 1))
    actual = ((x - left) // s, (y - top) // s)
    expect(actual == expected, f"panel at {actual}, centring formula gives {expected}")
    expect(len({ctx.render(0, variant=v) for v in range(3)}) == 3, "picture 0 has no three variants")
    p.walk(PANEL_AND_PICTURE)


@passes("plain")
def test_picture_11_alternates_every_750_ms(ctx):
    p = Program(ctx)
    p.do("button 11")
    phases = [ctx.render(11, ticks=0), ctx.render(11, ticks=1)]
    expect(phases[0] != phases[1], "picture 11 draws the same in both phases")
    p.expect_screen(phases[0], "picture 11, first phase")
    mask = p.panel_frame()
    changes, shown = [], 0
    deadline = time.monotonic() + 4.0
    while time.monotonic() < deadline and len(changes) < 4:
        screen, now = ctx.display.screenshot()[1], time.monotonic()
        if same(screen, phases[1 - shown], mask):
            changes.append(now)
            shown = 1 - shown
    expect(len(changes) >= 3, f"only {len(changes)} phase changes in 4 s")
    # Each change is seen up to one screenshot late; over the whole run from
    # the first change to the last that error counts once, not per interval.
    period = (changes[-1] - changes[0]) / (len(changes) - 1)
    expect(0.6 < period < 0.9, f"phase changes {changes}: a period of {period:.2f} s, not 0.75 s")


@passes("plain", "openbox")
def test_escape_close_box_and_closing_the_test_window_end_with_status_0(ctx):
    def close_box(p):
        if ctx.display.wm is None:
            send_delete_window(ctx.display, p.panel)
        else:
            # The close button is the rightmost of the title bar.
            x, y, w, _ = p.panel_rect
            _, right, top, _ = ctx.display.frame_extents(p.panel)
            ctx.display.click(x + w + right - top // 2, y - top // 2)
    for way, end in (("Escape", lambda p: p.do("keys Escape")), ("the close box", close_box),
                     ("closing the test window", lambda p: send_delete_window(ctx.display, p.window))):
        p = Program(ctx)
        end(p)
        wait_until(lambda: p.process.poll() is not None, f"{way}: the program to end")
        expect(p.process.returncode == 0, f"{way}: exit status {p.process.returncode}")


def shows_logo(screen):
    centre = (HEIGHT // 2 * WIDTH + WIDTH // 2) * 3
    return screen[centre:centre + 3] == LOGO_COLOUR


def logo_columns(screen):
    """The first and one past the last column with a pixel that is not black."""
    row_bytes = WIDTH * 3
    first, end = WIDTH, 0
    for y in range(HEIGHT):
        row = screen[y * row_bytes:(y + 1) * row_bytes]
        left = len(row) - len(row.lstrip(b"\0"))
        if left < len(row):
            first, end = min(first, left // 3), max(end, (len(row.rstrip(b"\0")) + 2) // 3)
    return first, end


@passes("plain", "scaled x2", "openbox")
def test_intro_zooms_the_logo_and_a_key_or_click_ends_it_only_after_the_zoom(ctx):
    for way in ("key", "click"):
        p = Program(ctx, ctx.intro_directory(), wait_for_panel=False)
        started = time.monotonic()
        ctx.display.xdotool("mousemove", 20, HEIGHT - 20)
        wait_until(lambda: p.panel_visible() or shows_logo(ctx.display.screenshot()[1]),
                   "the logo on the screen")
        expect(not p.panel_visible(), "the panel is up during the zoom")
        widths = []
        while time.monotonic() - started < 1.5:
            screen = ctx.display.screenshot()[1]
            expect(shows_logo(screen), "the logo went away during the zoom")
            first, end = logo_columns(screen)
            expect(first + end == WIDTH, f"logo columns {first}..{end} are not centred")
            widths.append(end - first)
        expect(widths, "no screenshot in the zoom's first 1.5 s")
        expect(widths[-1] < FINAL_LOGO_WIDTH, f"the logo is {widths[-1]} wide after 1.5 s")
        expect(widths == sorted(widths) and widths[-1] > widths[0], f"logo widths {widths}")
        expect(not p.panel_visible(), "the panel is up during the zoom")
        expect(cursor_hidden(ctx.display), "the cursor shows during the intro")
        if way == "key":
            # No focusing first: the test window has the keyboard from its start.
            ctx.display.xdotool("key", "space")
            deadline = started + 10.0
        else:
            wait_until(lambda: logo_columns(ctx.display.screenshot()[1]) == (
                (WIDTH - FINAL_LOGO_WIDTH) // 2, (WIDTH + FINAL_LOGO_WIDTH) // 2), "the full-size logo")
            # Past the zoom, in the hold after it or the title's fade.
            time.sleep(0.3)
            expect(not p.panel_visible(), "the panel is up during the intro")
            ctx.display.click(20, HEIGHT - 20)
            deadline = time.monotonic() + 3.0
        last_logo = time.monotonic()
        while not p.panel_visible():
            expect(time.monotonic() < deadline, f"the intro did not end in time after the {way}")
            screen = ctx.display.screenshot()[1]
            if shows_logo(screen):
                last_logo = time.monotonic()
                first, end = logo_columns(screen)
                expect(end - first >= widths[-1], f"the logo shrank after the {way}")
            else:
                expect(last_logo - started > 3.5, f"the {way} stopped the zoom")
        expect(last_logo - started > 3.5, f"the {way} stopped the zoom")
        p.wait_for_panel()
        p.expect_screen(ctx.render(0), f"picture 0 after the intro and the {way}")
        expect(not cursor_hidden(ctx.display), f"the cursor stays hidden after the intro and the {way}")
        time.sleep(0.5)
        expect(p.panel_visible(), f"the {way} that ended the intro hid the panel")
        stop(p.process)


MONITOR_LINE = re.compile(r"(\d+): (.+), (\d+)x(\d+) at (-?\d+),(-?\d+), scale (\d+), "
                          r"(?:(\d+) Hz|refresh rate unknown)(, primary)?")


@passes("sway")
def test_monitors_are_listed_and_the_picture_covers_the_chosen_one_only(ctx):
    sway = ctx.display
    names = [o["name"] for o in sway.outputs()]
    desktop = {name: sway.screenshot(name)[1] for name in names}
    # Each output's physical size, position and rate.
    wanted = [(o["current_mode"]["width"], o["current_mode"]["height"], o["rect"]["x"], o["rect"]["y"],
               round(o["current_mode"]["refresh"] / 1000)) for o in sway.outputs()]
    # The depth GDK reports: 32 bits on Wayland, the X screen's 24 through XWayland.
    for (backend, env), bpp in zip(sway.envs.items(), (32, 24)):
        lines = run([os.path.join(ctx.build_dir, "zynmon"), "--list-monitors"], env).decode().splitlines()
        monitors = [MONITOR_LINE.fullmatch(line) for line in lines]
        expect(all(m and int(m[1]) == i for i, m in enumerate(monitors)), f"{backend}: monitors {lines}")
        listed = [tuple(int(m[k] or 0) for k in (3, 4, 5, 6, 8)) for m in monitors]
        expect(listed == wanted, f"{backend}: monitors {listed}, sway has {wanted}")
        listed_names = [m[2] for m in monitors]
        expect(len(set(listed_names)) == len(names) and (backend != "wayland" or listed_names == names),
               f"{backend}: names {listed_names}")
        for args, target, picture in (((), 0, 0), (("--monitor", "1"), 1, 0),
                                      (("--monitor", listed_names[1], "--picture", "12"), 1, 12)):
            what = f"{backend} {' '.join(args) or '(default)'}"
            if backend == "x11":
                # sway puts an X11 window on the focused output, whatever the
                # window asks for: the user starts the program there.
                sway.swaymsg("focus", "output", names[target])
            # Beside the logo file: --no-intro shows the picture at once.
            p = Program(ctx, ctx.intro_directory(), args=("--no-intro", *args), env=env)
            width, height, _, _, rate = wanted[target]
            p.expect_screen(ctx.render(picture, size=(width, height), refresh=rate, bpp=bpp),
                            f"{what}: picture {picture} at {width}x{height}", output=names[target])
            for other in set(names) - {names[target]}:
                expect(sway.screenshot(other)[1] == desktop[other], f"{what}: {other} changed")
            # The panel lies on the monitor, its client area centred on it.
            ox, oy, ow, oh, _, _ = sway.output(names[target])
            x0, y0, x1, y1 = sway.window_frame(p.panel)
            x, y, w, h = sway.window_geometry(p.panel)
            centre = (x + w // 2 - ox - ow // 2, y + h // 2 - oy - oh // 2)
            expect(ox <= x0 and x1 <= ox + ow and oy <= y0 and y1 <= oy + oh
                   and all(abs(c) <= 1 for c in centre),
                   f"{what}: panel at {(x, y, w, h)}, {centre} from the centre of {names[target]}")
            stop(p.process)


@passes("sway")
def test_fractional_scales_show_physical_pixels(ctx):
    """The first output at fractional and integer scales, the program a Wayland
    client: the screenshot (physical pixels) equals the picture drawn for the
    output's mode, and clicks land where they are on the picture."""
    sway = ctx.display
    original = sway.outputs()
    first, second = (o["name"] for o in original[:2])
    try:
        for width, height, scale in ((1920, 1080, 1.5), (1920, 1200, 1.25), (1280, 1024, 2)):
            logical = (round(width / scale), round(height / scale))
            sway.swaymsg("output", second, "position", logical[0], 0)
            sway.swaymsg("output", first, "mode", f"{width}x{height}", "scale", f"{scale:g}")
            wait_until(lambda: sway.output(first)[:4] == (0, 0, *logical), f"{first} at scale {scale}")
            p = Program(ctx, args=("--monitor", first, "--no-intro"), env=sway.envs["wayland"])
            # "Hoch" chosen on picture 0 holds for the pictures chosen after it; the right
            # click comes once picture 4 shows, as choosing it resets the variant; the test
            # card's caption states the physical size.
            p.walk([("control Hoch", 0, 0, True, "none", 2), ("button 6", 6, 0, True, "none", 2),
                    ("button 4", 4, 0, True, "none", 2), ("click 3", 4, 1, True, "none", 2),
                    ("button 12", 12, 0, True, "none", 2)],
                   output=first, size=(width, height), bpp=32, refresh=sway.output(first)[5])
            stop(p.process)
    finally:
        for o in original:
            mode = "{width}x{height}".format(**o["current_mode"])
            sway.swaymsg("output", o["name"], "mode", mode, "scale", f"{o['scale']:g}",
                         "position", o["rect"]["x"], o["rect"]["y"])


@passes("sway")
def test_bad_command_lines_exit_2_naming_the_fault(ctx):
    exe = os.path.join(ctx.build_dir, "zynmon")
    no_display = {k: v for k, v in ctx.display.env.items() if k not in ("DISPLAY", "WAYLAND_DISPLAY")}
    bad = [(["--monitor"], "--monitor"), (["--monitor", "2"], "'2'"),
           (["--monitor", "HEADLESS-9"], "HEADLESS-9"), (["--monitor="], "--monitor"),
           (["--picture", "13"], "'13'"), (["--picture", "x"], "'x'"), (["--picture"], "--picture"),
           (["--no-intro=1"], "--no-intro"), (["--list-monitors=1"], "--list-monitors"),
           (["--version=2"], "--version"), (["--help=1"], "--help"),
           (["--frobnicate"], "--frobnicate"), (["stray"], "stray")]
    # (environment, arguments, exit status, start of stdout, named on stderr's one line)
    cases = [(backend, args, 2, "", named) for backend in ctx.display.envs for args, named in bad]
    cases += [(None, ["--help"], 0, "usage: zynmon", None), (None, [], 1, "", ""),
              (None, ["--version"], 0, "zynmon ", None), (None, ["--list-monitors"], 1, "", "")]
    for backend, args, status, out, named in cases:
        result = subprocess.run([exe, *args], env=ctx.display.envs.get(backend, no_display),
                                capture_output=True, timeout=TIMEOUT)
        lines = result.stderr.decode().splitlines()
        expect(result.returncode == status and result.stdout.decode().startswith(out)
               and (lines == [] if named is None else len(lines) == 1 and named in lines[0]),
               f"{args} ({backend or 'no display'}): status {result.returncode}, stderr {lines}")


@passes("plain")
def test_panel_dialog_controls(ctx):
    exe = os.path.join(ctx.build_dir, "tests", "test_panel_gui")
    result = subprocess.run([exe], env=ctx.display.env, capture_output=True, timeout=60)
    expect(result.returncode == 0, "test_panel_gui failed:\n" + result.stdout.decode(errors="replace"))


def main():
    if len(sys.argv) < 2:
        print(__doc__.strip().splitlines()[-1].strip(), file=sys.stderr)
        return 2
    build_dir, wanted, failures = os.path.abspath(sys.argv[1]), set(sys.argv[2:]), 0
    scratch = tempfile.mkdtemp(prefix="zynmon-e2e-")
    try:
        for name, make_display, scale in PASSES:
            tests = [t for t in TESTS[name] if not wanted or t.__name__ in wanted]
            display = make_display() if tests else None
            try:
                for test in tests:
                    ctx, started = Context(display, build_dir, scratch, scale), time.monotonic()
                    try:
                        test(ctx)
                        status = "ok"
                    except Exception as error:  # a broken test fails, the run goes on
                        failures += 1
                        status = f"FAIL: {error if isinstance(error, Failure) else repr(error)}"
                    finally:
                        for program in ctx.programs:
                            stop(program.process)
                    print(f"[{name}] {test.__name__}: {status} [{time.monotonic() - started:.1f} s]",
                          flush=True)
            finally:
                if display:
                    display.close()
    finally:
        shutil.rmtree(scratch, ignore_errors=True)
    print(f"e2e: {failures} failed" if failures else "e2e: all passed")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
