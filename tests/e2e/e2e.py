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

import contextlib
import ctypes
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
PANEL_DU = (170, 106)
CONTROLS = {"Rot": (120, 15, 25, 10), "Grün": (120, 25, 30, 10), "Blau": (120, 35, 30, 10),
            "Volles Bild": (50, 80, 50, 14), "Hoch": (120, 65, 35, 10)}
# The window managers the tests run under, as each is started on the display.
WINDOW_MANAGERS = {"openbox": ["openbox", "--sm-disable"], "metacity": ["metacity", "--sm-disable"],
                   "icewm": ["icewm"]}
# Enabled guns per render option.
GUNS = {(): "none", ("Rot",): "r", ("Grün",): "g", ("Blau",): "b", ("Rot", "Blau"): "rb"}
ENV_DROPPED = ("DISPLAY", "WAYLAND_DISPLAY", "GDK_SCALE", "GDK_DPI_SCALE", "GDK_BACKEND")


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


def expect_no_differences(measure, what, timeout=TIMEOUT):
    """Waits until measure() gives (0, None): a count of differing pixels and the first."""
    last = [None]

    def matches():
        last[0] = measure()
        return last[0][0] == 0
    try:
        wait_until(matches, what, timeout)
    except Failure:
        raise Failure(f"{what}: {last[0][0]} pixels differ, first at {last[0][1]}") from None


def differences(screen, expected, mask=None, width=WIDTH):
    """Pixels that differ outside the mask rectangle (x0, y0, x1, y1), and the
    first one as (x, y, on the screen, expected)."""
    expect(len(screen) == len(expected), f"screen of {len(screen)} bytes, expected {len(expected)}")
    count, first = 0, None
    row_bytes = width * 3
    mx0, my0, mx1, my1 = mask or (0, 0, 0, 0)
    for y in range(len(screen) // row_bytes):
        a = screen[y * row_bytes:(y + 1) * row_bytes]
        b = expected[y * row_bytes:(y + 1) * row_bytes]
        if a == b:
            continue
        spans = [(0, max(0, mx0)), (min(width, mx1), width)] if my0 <= y < my1 else [(0, width)]
        for x0, x1 in spans:
            for x in range(x0, x1) if a[x0 * 3:x1 * 3] != b[x0 * 3:x1 * 3] else ():
                if a[x * 3:x * 3 + 3] != b[x * 3:x * 3 + 3]:
                    count += 1
                    first = first or (x, y, a[x * 3:x * 3 + 3].hex(), b[x * 3:x * 3 + 3].hex())
    return count, first


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

    def click(self, x, y, button=1):
        self.xdotool("mousemove", x, y, "click", button)

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
        """Waits until the window manager has framed the window."""
        if self.wm is not None:
            wait_until(lambda: any(self.frame_extents(window)), "the window manager's frame")

    def window_frame(self, window):
        """The screen rectangle (x0, y0, x1, y1) of the window with all that the
        window manager draws around it: the top-level window that holds it."""
        while True:
            tree = run(["xwininfo", "-tree", "-id", window], self.env).decode()
            parent_line = tree.split("Parent window id: ")[1].splitlines()[0]
            if "(the root window)" in parent_line:
                break
            window = parent_line.split()[0]
        x, y, w, h = self.window_geometry(window)
        return (x, y, x + w, y + h)

    def output(self, name=None):
        return 0, 0, WIDTH, HEIGHT, 1

    def screenshot(self, output=None, window=None):
        """The screen (or a window's own image) as its width and raw RGB."""
        xwd = run(["xwd", "-silent", *(["-id", window] if window else ["-root"])], self.env)
        rgb = run([CONVERT, "xwd:-", "-depth", "8", "rgb:-"], self.env, input=xwd)
        expect(window or len(rgb) == WIDTH * HEIGHT * 3, f"screenshot has {len(rgb)} bytes")
        return WIDTH, rgb

    def screen(self):
        return self.screenshot()[1]


class VirtualPointer:
    """A pointer device of sway's seat, made through its virtual pointer
    protocol (a headless sway has no input device). Speaks the Wayland wire
    protocol itself: a few requests, no file descriptors."""

    BUTTONS = {1: 0x110, 2: 0x112, 3: 0x111}  # BTN_LEFT, BTN_MIDDLE, BTN_RIGHT

    def __init__(self, socket_path):
        self.sock = socket.socket(socket.AF_UNIX, socket.SOCK_STREAM)
        self.sock.connect(socket_path)
        self.sock.settimeout(TIMEOUT)
        self.last_id, self.received, self.time = 1, b"", 0
        registry, names = self._send(1, 1, None), {}  # wl_display.get_registry

        def on_global(obj, opcode, body):
            if obj == registry and opcode == 0:
                name, length = struct.unpack("<II", body[:8])
                names[body[8:8 + length - 1].decode()] = name
        self.roundtrip(on_global)
        interfaces = ("wl_seat", "zwlr_virtual_pointer_manager_v1")
        for interface in interfaces:
            expect(interface in names, f"sway offers no {interface}")
        seat, manager = (self._send(registry, 0, names[i], i, 1, None) for i in interfaces)  # bind
        self.pointer = self._send(manager, 0, seat, None)  # create_virtual_pointer
        self.roundtrip()

    def _send(self, obj, opcode, *args):
        """Sends a request; None among its arguments is a new object, whose id it returns."""
        body = new = b""
        for arg in args:
            if arg is None:
                self.last_id += 1
                arg = new = self.last_id
            if isinstance(arg, str):
                text = arg.encode() + b"\0"
                body += struct.pack("<I", len(text)) + text + b"\0" * (-len(text) % 4)
            else:
                body += struct.pack("<I", arg)
        self.sock.sendall(struct.pack("<II", obj, (8 + len(body)) << 16 | opcode) + body)
        return new

    def roundtrip(self, on_event=lambda obj, opcode, body: None):
        callback = self._send(1, 0, None)  # wl_display.sync
        while True:
            while len(self.received) >= 8:
                obj, word = struct.unpack("<II", self.received[:8])
                if len(self.received) < word >> 16:
                    break
                body, self.received = self.received[8:word >> 16], self.received[word >> 16:]
                if obj == callback:
                    return
                on_event(obj, word & 0xFFFF, body)
            data = self.sock.recv(65536)
            expect(data, "sway closed the virtual pointer's connection")
            self.received += data

    def click(self, x, y, layout, button=1):
        """A click at (x, y) of the desktop's layout (x0, y0, x1, y1)."""
        x0, y0, x1, y1 = layout
        self.time += 100
        self._send(self.pointer, 1, self.time, x - x0, y - y0, x1 - x0, y1 - y0)  # motion_absolute
        self._send(self.pointer, 4)  # frame
        for state in (1, 0):
            self._send(self.pointer, 2, self.time, self.BUTTONS[button], state)  # button
            self._send(self.pointer, 4)
        self.roundtrip()


class Sway:
    """A headless sway desktop: Wayland clients connect through `envs["wayland"]`,
    X11 clients through its XWayland with `envs["x11"]`. `outputs` are
    (width, height, x, y, scale) in the order sway names them HEADLESS-1, -2, ...

    sway refuses to run as root: as root it runs as an unprivileged user made
    for the tests. Windows are sway's containers, found by title in its tree."""

    USER = "zynmon-e2e"

    def __init__(self, outputs=((1280, 1024, 0, 0, 1), (1920, 1080, 1280, 0, 1))):
        self.process = self.pointer = None
        self.runtime = tempfile.mkdtemp(prefix="zynmon-sway-")
        try:
            self._start(outputs)
        except BaseException:
            self.close()
            raise

    def _start(self, outputs):
        config = os.path.join(self.runtime, "config")
        with open(config, "w") as f:
            # The virtual pointer's cursor would show in the screenshots.
            f.write("xwayland force\nseat * hide_cursor 100\n")
            for i, (w, h, x, y, scale) in enumerate(outputs, 1):
                f.write(f"output HEADLESS-{i} mode {w}x{h} position {x} {y} scale {scale:g}\n")
        env = {"PATH": os.environ.get("PATH", "/usr/bin:/bin"), "HOME": self.runtime,
               "XDG_RUNTIME_DIR": self.runtime, "WLR_BACKENDS": "headless",
               "WLR_LIBINPUT_NO_DEVICES": "1", "WLR_RENDERER": "pixman"}
        ids, account = {}, self._account()
        if account:
            os.chown(self.runtime, account.pw_uid, account.pw_gid)
            ids = dict(user=account.pw_uid, group=account.pw_gid, extra_groups=[])
        os.chmod(self.runtime, 0o700)
        self.log = open(os.path.join(self.runtime, "sway.log"), "w")
        self.process = subprocess.Popen(["sway", "-c", config], env=env, cwd=self.runtime,
                                        stdout=self.log, stderr=self.log, **ids)
        self.wayland_socket, self.ipc_socket = wait_until(self._sockets, "sway to start")
        for _ in outputs[1:]:
            self.swaymsg("create_output")
        wanted = [(x, y, w, h) for w, h, x, y, _ in outputs]
        wait_until(lambda: [(o["rect"]["x"], o["rect"]["y"], o["current_mode"]["width"],
                             o["current_mode"]["height"]) for o in self.outputs()] == wanted,
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
        self.pointer = VirtualPointer(os.path.join(self.runtime, self.wayland_socket))
        # The new pointer's cursor shows until sway's hide_cursor timer hides
        # it: the tests' pictures of the empty desktop must not hold it.
        wait_until(lambda: all(len({rgb[i:i + 3] for i in range(0, len(rgb), 3)}) == 1
                               for rgb in (self.screenshot(o["name"])[1] for o in self.outputs())),
                   "the empty desktop without a cursor")
        # XWayland admits only sway's user: admit this one too.
        self.swaymsg("exec", f"xhost +si:localuser:{pwd.getpwuid(os.getuid()).pw_name}")
        wait_until(lambda: run(["xprop", "-root"], self.envs["x11"], check=False),
                   "XWayland to accept clients")

    def _account(self):
        """The unprivileged user that runs sway when the tests run as root."""
        if os.getuid() != 0:
            return None
        # Fails harmlessly once the user exists.
        run(["useradd", "--system", "--no-create-home", "--shell", "/usr/sbin/nologin", self.USER],
            os.environ, check=False)
        # XWayland's socket directory must belong to root (or to the user).
        os.makedirs("/tmp/.X11-unix", exist_ok=True)
        if os.stat("/tmp/.X11-unix").st_uid != 0:
            os.chown("/tmp/.X11-unix", 0, 0)
        os.chmod("/tmp/.X11-unix", 0o1777)
        return pwd.getpwnam(self.USER)

    def _sockets(self):
        names = os.listdir(self.runtime)
        wayland = [n for n in names if n.startswith("wayland-") and not n.endswith(".lock")]
        ipc = [n for n in names if n.startswith("sway-ipc.")]
        expect(self.process.poll() is None, f"sway ended: {open(self.log.name).read()[-2000:]}")
        return (wayland[0], os.path.join(self.runtime, ipc[0])) if wayland and ipc else None

    def close(self):
        if self.pointer is not None:
            self.pointer.sock.close()
        if self.process is not None:
            stop(self.process)
            self.log.close()
        shutil.rmtree(self.runtime, ignore_errors=True)

    def swaymsg(self, *args):
        out = run(["swaymsg", "-s", self.ipc_socket, "-r", *args], os.environ)
        return json.loads(out) if out.strip() else None

    def outputs(self):
        return self.swaymsg("-t", "get_outputs")

    def output(self, name):
        """An output's rectangle (x, y, width, height) in the desktop's layout, and its scale."""
        o = next(o for o in self.outputs() if o["name"] == name)
        return (*(o["rect"][k] for k in ("x", "y", "width", "height")), o["scale"])

    def click(self, x, y, button=1):
        rects = [o["rect"] for o in self.outputs()]
        layout = (min(r["x"] for r in rects), min(r["y"] for r in rects),
                  max(r["x"] + r["width"] for r in rects), max(r["y"] + r["height"] for r in rects))
        self.pointer.click(x, y, layout, button)

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



class Renderer:
    """zynmon-render's screens as raw RGB, cached by state."""

    def __init__(self, build_dir, scratch):
        self.exe = os.path.join(build_dir, "zynmon-render")
        self.png = os.path.join(scratch, "render.png")
        self.cache = {}
        # The pictures by index, one a line, as the program lists them.
        self.last = len(run([self.exe, "--list"], os.environ).splitlines()) - 1

    def screen(self, picture, resolution=1, guns="none", variant=0, ticks=0,
               size=(WIDTH, HEIGHT), refresh=0, bpp=DEPTH):
        key = (picture, resolution, guns, variant, ticks, size, refresh, bpp)
        if key not in self.cache:
            run([self.exe, "--picture", str(picture), "--size", "%dx%d" % size, "--bpp", str(bpp),
                 "--resolution", str(resolution), "--guns", guns, "--variant", str(variant),
                 "--ticks", str(ticks), "--refresh", str(refresh), "--output", self.png],
                os.environ)
            self.cache[key] = run([CONVERT, self.png, "-depth", "8", "rgb:-"], os.environ)
        return self.cache[key]


class Program:
    """The desktop program running on a display, and what the tests know of it."""

    def __init__(self, ctx, directory, wait_for_panel, args, env):
        self.display, self.scale, self.clicks = ctx.display, ctx.scale, 0
        env = dict(env or self.display.env)
        if ctx.scale != 1:
            env["GDK_SCALE"] = str(ctx.scale)
        with open(os.path.join(ctx.scratch, "zynmon.log"), "w") as log:
            self.process = subprocess.Popen(
                [os.path.abspath(os.path.join(ctx.build_dir, "zynmon")), *args], env=env,
                cwd=directory or ctx.scratch, stdout=subprocess.DEVNULL, stderr=log)
        self.window = self.find("ZYN Monitor Test Window")
        self.panel = None
        if wait_for_panel:
            self.wait_for_panel()

    def wait_for_panel(self, timeout=TIMEOUT):
        self.panel = self.find(PANEL_TITLE, timeout)
        self.display.wait_for_frame(self.panel)
        x, y, w, h = self.panel_rect = self.display.window_geometry(self.panel)
        # The base units that give the panel's client size from its 170 x 106 units.
        bx = [b for b in range(1, 64) if mul_div(PANEL_DU[0], b, 4) == w // self.scale]
        by = [b for b in range(1, 64) if mul_div(PANEL_DU[1], b, 8) == h // self.scale]
        expect(bx and by, f"panel client {w}x{h} is not 170 x 106 dialog units")
        self.base = (bx[0], by[0])

    def find(self, title, timeout=TIMEOUT):
        def search():
            expect(self.process.poll() is None,
                   f"the program ended with status {self.process.returncode}")
            return self.display.find_windows(title)
        return wait_until(search, f"the window {title!r}", timeout)[0]

    def panel_frame(self):
        """The panel's frame (x0, y0, x1, y1) where it is now; clicks go there
        too (sway may move the panel after it was found)."""
        self.panel_rect = self.display.window_geometry(self.panel)
        return self.display.window_frame(self.panel)

    def click_panel(self, du_x, du_y, du_w=0, du_h=0, fx=0.5, pixels=0):
        """A click inside a control given in dialog units (fx across its width),
        or pixels right and below its template position."""
        bx, by = self.base
        left = mul_div(du_x, bx, 4) + mul_div(du_w, bx, 4) * fx + pixels
        top = mul_div(du_y, by, 8) + mul_div(du_h, by, 8) / 2 + pixels
        self.display.click(self.panel_rect[0] + int(left * self.scale),
                           self.panel_rect[1] + int(top * self.scale))

    def click_picture_button(self, picture):
        # Six buttons to a row, each its bitmap's 18 x 18 pixels from its template position.
        self.click_panel(10 + 15 * (picture % 6), 35 + 15 * (picture // 6), pixels=9)

    def click_control(self, name, fx=0.5):
        self.click_panel(*CONTROLS[name], fx=fx)

    def click_picture(self, button=1):
        """A click on the picture, away from the panel. Each click goes elsewhere,
        so that two in quick succession do not make a double click."""
        self.clicks += 1
        self.display.click(20 + 40 * (self.clicks % 8), 20, button)

    def keys(self, *keys):
        self.display.xdotool("windowfocus", "--sync", self.panel)
        for key in keys:
            self.display.xdotool("key", key)

    def panel_visible(self):
        return bool(self.display.find_windows(PANEL_TITLE))

    def expect_panel_shown(self, beneath, what, timeout=TIMEOUT):
        """The screen shows the panel window's own image where the panel is, not
        the picture beneath (an obscured window's image is the screen's)."""
        def measure():
            self.panel_frame()
            own = self.display.screenshot(window=self.panel)[1]
            shown = crop(self.display.screen(), self.panel_rect)
            if shown == crop(beneath, self.panel_rect):
                return len(own) // 3, "every pixel: the picture lies above the panel"
            return differences(shown, own, None, self.panel_rect[2])
        expect_no_differences(measure, f"{what}: the panel on the screen", timeout)

    def expect_screen(self, expected, what, masked=True, output=None, timeout=TIMEOUT):
        """The screen (or one output of a desktop with several) equals the
        expected picture outside the panel's frame."""
        ox, oy, _, _, scale = self.display.output(output)

        def measure():
            mask = None
            if masked:
                # The frame in the layout's logical pixels, the screenshot in physical ones.
                x0, y0, x1, y1 = self.panel_frame()
                mask = (math.floor((x0 - ox) * scale), math.floor((y0 - oy) * scale),
                        math.ceil((x1 - ox) * scale), math.ceil((y1 - oy) * scale))
            width, screen = self.display.screenshot(output)
            return differences(screen, expected, mask, width)
        expect_no_differences(measure, f"{what}{output and f' on {output}' or ''}", timeout)

    def wait_exit(self, what):
        try:
            return self.process.wait(timeout=TIMEOUT)
        except subprocess.TimeoutExpired:
            raise Failure(f"{what}: the program did not end") from None


@contextlib.contextmanager
def x_display(display):
    """Xlib and a connection to the display, closed again on leaving."""
    x11 = ctypes.CDLL("libX11.so.6")
    x11.XOpenDisplay.restype = x11.XInternAtom.restype = ctypes.c_void_p
    x11.XOpenDisplay.argtypes = [ctypes.c_char_p]
    x11.XInternAtom.argtypes = [ctypes.c_void_p, ctypes.c_char_p, ctypes.c_int]
    x11.XSendEvent.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_long,
                               ctypes.c_void_p]
    x11.XCloseDisplay.argtypes = x11.XFlush.argtypes = x11.XFree.argtypes = [ctypes.c_void_p]
    dpy = x11.XOpenDisplay(display.env["DISPLAY"].encode())
    expect(dpy, "cannot open the display")
    try:
        yield x11, dpy
    finally:
        x11.XCloseDisplay(dpy)


def send_delete_window(display, window):
    """What a window manager's close box does: WM_DELETE_WINDOW to the client."""

    class ClientMessage(ctypes.Structure):
        _fields_ = [("type", ctypes.c_int), ("serial", ctypes.c_ulong),
                    ("send_event", ctypes.c_int), ("display", ctypes.c_void_p),
                    ("window", ctypes.c_ulong), ("message_type", ctypes.c_ulong),
                    ("format", ctypes.c_int), ("data", ctypes.c_long * 5),
                    ("pad", ctypes.c_long * 24)]

    with x_display(display) as (x11, dpy):
        event = ClientMessage(type=33, window=int(window), format=32,  # ClientMessage
                              message_type=x11.XInternAtom(dpy, b"WM_PROTOCOLS", 0))
        event.data[0] = x11.XInternAtom(dpy, b"WM_DELETE_WINDOW", 0)  # at CurrentTime (0)
        x11.XSendEvent(dpy, int(window), 0, 0, ctypes.byref(event))
        x11.XFlush(dpy)


def cursor_hidden(display):
    """Whether the pointer's current cursor image is wholly transparent (XFixes)."""

    class CursorImage(ctypes.Structure):
        _fields_ = [*((name, ctypes.c_short) for name in ("x", "y")),
                    *((name, ctypes.c_ushort) for name in ("width", "height", "xhot", "yhot")),
                    ("cursor_serial", ctypes.c_ulong), ("pixels", ctypes.POINTER(ctypes.c_ulong)),
                    ("atom", ctypes.c_ulong), ("name", ctypes.c_char_p)]

    xfixes = ctypes.CDLL("libXfixes.so.3")
    xfixes.XFixesGetCursorImage.restype = ctypes.POINTER(CursorImage)
    xfixes.XFixesGetCursorImage.argtypes = [ctypes.c_void_p]
    xfixes.XFixesQueryExtension.argtypes = [ctypes.c_void_p, ctypes.POINTER(ctypes.c_int),
                                            ctypes.POINTER(ctypes.c_int)]
    with x_display(display) as (x11, dpy):
        event_base, error_base = ctypes.c_int(), ctypes.c_int()
        expect(xfixes.XFixesQueryExtension(dpy, ctypes.byref(event_base), ctypes.byref(error_base)),
               "the display has no XFixes extension")
        image = xfixes.XFixesGetCursorImage(dpy)
        expect(image, "no cursor image")
        cursor = image.contents
        pixels = cursor.pixels[:cursor.width * cursor.height]
        x11.XFree(image)
        return all(pixel >> 24 & 0xFF == 0 for pixel in pixels)


class Context:
    """One test's display, renderer and scratch directory."""

    def __init__(self, display, renderer, build_dir, scratch, scale=1):
        self.display, self.render, self.last_picture = display, renderer.screen, renderer.last
        self.build_dir, self.scratch, self.scale = build_dir, scratch, scale
        self.programs, self.notes = [], []

    def start(self, directory=None, wait_for_panel=True, args=(), env=None):
        self.programs.append(Program(self, directory, wait_for_panel, args, env))
        return self.programs[-1]

    def stop(self):
        for program in self.programs:
            stop(program.process)


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


@passes("plain", "scaled x2", "openbox", "metacity", "icewm")
def test_panel_starts_centred_and_stays_shown_above_the_picture(ctx):
    p = ctx.start()
    p.expect_screen(ctx.render(0), "start screen equals picture 0")
    expect(ctx.display.window_geometry(p.window) == (0, 0, WIDTH, HEIGHT),
           f"test window at {ctx.display.window_geometry(p.window)}, not over the whole screen")
    s = p.scale
    x, y, w, h = p.panel_rect
    left, _, top, _ = ctx.display.frame_extents(p.panel)
    expected = (((WIDTH // s) >> 1) - ((w // s) >> 1), ((HEIGHT // s) >> 1) - ((h // s) >> 1))
    actual = ((x - left) // s, (y - top) // s)
    expect(actual == expected, f"panel at {actual}, centring formula gives {expected}")
    p.expect_panel_shown(ctx.render(0), "the panel at the start")
    p.click_picture(button=3)
    p.expect_screen(ctx.render(0, variant=1), "a right click shows variant 1")
    p.expect_panel_shown(ctx.render(0, variant=1), "the panel after a right click on the picture")
    p.click_picture_button(12)
    p.expect_screen(ctx.render(12), "button TP13 shows picture 12")
    p.expect_panel_shown(ctx.render(12), "the panel after a picture button")
    p.click_picture()
    wait_until(lambda: not p.panel_visible(), "a left click to hide the panel")
    p.expect_screen(ctx.render(12), "the whole screen shows the picture", masked=False)
    p.click_picture()
    wait_until(p.panel_visible, "a left click to show the panel again")
    p.expect_screen(ctx.render(12), "picture 12 around the panel shown again")
    p.expect_panel_shown(ctx.render(12), "the panel shown again by a left click")


@passes("plain", "scaled x2", "openbox")
def test_picture_buttons_select_pictures(ctx):
    p = ctx.start()
    for picture in (2, ctx.last_picture, 5, 8, 1, 4):
        p.click_picture_button(picture)
        p.expect_screen(ctx.render(picture), f"button TP{picture + 1} shows picture {picture}")
    p.click_picture(button=3)
    p.expect_screen(ctx.render(4, variant=1), "picture 4 after a right click")
    if ctx.render(4) == ctx.render(4, variant=1):
        ctx.notes.append("picture 4 draws the same in both variants here")
    # A right click steps the variant; the button of the shown picture keeps it.
    p.click_picture_button(0)
    p.expect_screen(ctx.render(0), "button TP1 shows picture 0")
    p.click_picture(button=3)
    expect(ctx.render(0) != ctx.render(0, variant=1), "picture 0 has no second variant")
    p.expect_screen(ctx.render(0, variant=1), "right click shows variant 1")
    p.click_picture_button(0)
    time.sleep(0.5)
    p.expect_screen(ctx.render(0, variant=1), "button of the shown picture changes nothing")


@passes("plain", "scaled x2", "openbox")
def test_full_screen_and_clicks_hide_the_panel_and_a_click_brings_it_back(ctx):
    p = ctx.start()
    for how, hide in (("Volles Bild", lambda: p.click_control("Volles Bild")),
                      ("Return", lambda: p.keys("Return"))):
        hide()
        wait_until(lambda: not p.panel_visible(), "the panel to hide")
        p.expect_screen(ctx.render(0), "the whole screen shows the picture", masked=False)
        p.click_picture()
        wait_until(p.panel_visible, f"a left click to show the panel again (hidden by {how})")
        p.expect_panel_shown(ctx.render(0), "the panel shown again")
        p.expect_screen(ctx.render(0), "a left click does not change the picture")
    # The second press of a double click does nothing.
    p.display.xdotool("mousemove", 300, 100, "click", "--repeat", 2, "--delay", 60, 3)
    p.expect_screen(ctx.render(0, variant=1), "a right double click steps the variant once")
    p.display.xdotool("mousemove", 340, 100, "click", "--repeat", 2, "--delay", 60, 1)
    wait_until(lambda: not p.panel_visible(), "a left double click to hide the panel")
    time.sleep(0.5)
    expect(not p.panel_visible(), "a left double click toggled the panel twice")


@passes("plain", "openbox")
def test_keys_select_pictures_in_the_list_and_while_the_panel_is_hidden(ctx):
    p = ctx.start()
    last = ctx.last_picture
    for keys, picture in ((["Down"], 1), (["Down", "Down"], 3), (["Up"], 2),
                          (["Down"] * (last - 3), last - 1), (["Down"], last), (["Up"] * last, 0)):
        p.keys(*keys)
        p.expect_screen(ctx.render(picture), f"keys {keys} in the list show picture {picture}")
    p.click_control("Volles Bild")
    wait_until(lambda: not p.panel_visible(), "the panel to hide")
    # No focusing: the keys go to the test window the panel left.
    for key, picture, variant in (("Left", 12, 0), ("space", 12, 1), ("Right", 0, 0),
                                  ("Next", 1, 0), ("Down", 2, 0), ("space", 2, 1), ("Up", 1, 0),
                                  ("Prior", 0, 0), ("End", 12, 0), ("Home", 0, 0),
                                  ("Right", 1, 0)):
        p.display.xdotool("key", key)
        p.expect_screen(ctx.render(picture, variant=variant),
                        f"{key} shows picture {picture}, variant {variant}", masked=False)
    for key in ("Return", "Escape"):
        p.display.xdotool("key", key)
        wait_until(p.panel_visible, f"{key} to show the panel")
        expect(not cursor_hidden(ctx.display), f"the cursor stays hidden after {key}")
        if key == "Return":
            p.click_control("Volles Bild")
            wait_until(lambda: not p.panel_visible(), "the panel to hide again")
    p.expect_screen(ctx.render(1), "showing the panel keeps the picture")
    # The panel's list followed the keys: Down in it goes on from picture 1.
    p.keys("Down")
    p.expect_screen(ctx.render(2), "Down in the panel's list after the keys")


@passes("plain")
def test_picture_11_alternates_every_750_ms(ctx):
    p = ctx.start()
    p.click_picture_button(11)
    phases = [ctx.render(11, ticks=0), ctx.render(11, ticks=1)]
    if phases[0] == phases[1]:
        p.expect_screen(phases[0], "picture 11")
        ctx.notes.append("picture 11 draws the same in both phases here: timing not measured")
        return
    p.expect_screen(phases[0], "picture 11, first phase")
    mask = p.panel_frame()
    changes, shown = [], 0
    deadline = time.monotonic() + 4.0
    while time.monotonic() < deadline and len(changes) < 4:
        screen, now = ctx.display.screen(), time.monotonic()
        if differences(screen, phases[1 - shown], mask)[0] == 0:
            changes.append(now)
            shown = 1 - shown
    expect(len(changes) >= 3, f"only {len(changes)} phase changes in 4 s")
    # Each change is seen up to one screenshot late; over the whole run from
    # the first change to the last that error counts once, not per interval.
    period = (changes[-1] - changes[0]) / (len(changes) - 1)
    expect(0.6 < period < 0.9, f"phase changes {changes}: a period of {period:.2f} s, not 0.75 s")


@passes("plain")
def test_colour_check_boxes_set_the_gun_colour(ctx):
    p = ctx.start()
    p.click_picture_button(1)
    p.expect_screen(ctx.render(1), "picture 1 in white")
    for clicks, checked in ((["Grün"], ("Grün",)), (["Grün"], ()), (["Rot", "Blau"], ("Rot", "Blau"))):
        for name in clicks:
            p.click_control(name, fx=0.3)
        p.expect_screen(ctx.render(1, guns=GUNS[checked]), f"picture 1 with guns {checked}")


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
    for way, end in (("Escape", lambda p: p.keys("Escape")), ("the close box", close_box),
                     ("closing the test window", lambda p: send_delete_window(ctx.display,
                                                                              p.window))):
        p = ctx.start()
        end(p)
        code = p.wait_exit(way)
        expect(code == 0, f"{way}: exit status {code}")


def intro_directory(ctx):
    """A directory holding the build's logo file, where the program plays its intro."""
    directory = os.path.join(ctx.scratch, "intro")
    os.makedirs(directory, exist_ok=True)
    shutil.copy(os.path.join(ctx.build_dir, "share", LOGO_FILE), directory)
    return directory


def shows_logo(screen):
    centre = (HEIGHT // 2 * WIDTH + WIDTH // 2) * 3
    return screen[centre:centre + 3] == LOGO_COLOUR


def lit_columns(screen):
    """The first and one past the last column with a pixel that is not black."""
    row_bytes = WIDTH * 3
    first, end = WIDTH, 0
    for y in range(HEIGHT):
        row = screen[y * row_bytes:(y + 1) * row_bytes]
        left = len(row) - len(row.lstrip(b"\0"))
        if left == len(row):
            continue
        first = min(first, left // 3)
        end = max(end, (len(row.rstrip(b"\0")) + 2) // 3)
    return first, end


@passes("plain", "scaled x2", "openbox")
def test_intro_zoom_then_key_ends_it_after_the_zoom(ctx):
    p = ctx.start(intro_directory(ctx), wait_for_panel=False)
    started = time.monotonic()
    p.display.xdotool("mousemove", 20, HEIGHT - 20)
    wait_until(lambda: p.panel_visible() or shows_logo(ctx.display.screen()),
               "the logo on the screen")
    expect(not p.panel_visible(), "the panel is up during the zoom")
    widths = []
    while time.monotonic() - started < 1.5:
        screen = ctx.display.screen()
        expect(shows_logo(screen), "the logo went away during the zoom")
        first, end = lit_columns(screen)
        expect(first + end == WIDTH, f"logo columns {first}..{end} are not centred")
        widths.append(end - first)
    expect(widths, "no screenshot in the zoom's first 1.5 s")
    expect(widths[-1] < FINAL_LOGO_WIDTH, f"the logo is {widths[-1]} wide after 1.5 s")
    expect(widths == sorted(widths) and widths[-1] > widths[0], f"logo widths {widths}")
    expect(not p.panel_visible(), "the panel is up during the zoom")
    expect(cursor_hidden(ctx.display), "the cursor shows during the intro")

    # No focusing first: the test window has the keyboard from its start.
    p.display.xdotool("key", "space")
    pressed = last_logo = time.monotonic()

    def expect_zoom_ended():
        expect(last_logo - started > 3.5,
               f"the key stopped the zoom: the logo went {last_logo - pressed:.1f} s after it")
    while not p.panel_visible():
        expect(time.monotonic() - started < TIMEOUT, "the intro did not end after the key")
        screen = ctx.display.screen()
        if shows_logo(screen):
            last_logo = time.monotonic()
            first, end = lit_columns(screen)
            expect(end - first >= widths[-1], "the logo shrank after the key")
        elif not p.panel_visible():
            expect_zoom_ended()
    expect_zoom_ended()
    ended = time.monotonic() - started
    expect(ended < 10.0, f"the panel came {ended:.1f} s after the start: the key did not end the intro")
    p.wait_for_panel()
    p.expect_screen(ctx.render(0), "picture 0 after the intro")
    expect(not cursor_hidden(ctx.display), "the cursor stays hidden after the intro")


@passes("plain")
def test_left_click_skipping_the_intro_does_not_toggle_the_panel(ctx):
    p = ctx.start(intro_directory(ctx), wait_for_panel=False)

    def full_size():
        first, end = lit_columns(ctx.display.screen())
        return end - first == FINAL_LOGO_WIDTH
    wait_until(full_size, "the logo at its full size")
    # Past the zoom, in the hold after it or the title's fade.
    time.sleep(0.3)
    expect(not p.panel_visible(), "the panel is up during the intro")
    ctx.display.click(20, HEIGHT - 20)
    clicked = time.monotonic()
    p.wait_for_panel(timeout=5.0)
    expect(time.monotonic() - clicked < 3.0, "the click did not end the intro")
    p.expect_screen(ctx.render(0), "picture 0 after the intro")
    time.sleep(0.5)
    expect(p.panel_visible(), "the click that ended the intro hid the panel")


MONITOR_LINE = re.compile(r"(\d+): (.+), (\d+)x(\d+) at (-?\d+),(-?\d+), scale (\d+), "
                          r"(?:(\d+) Hz|refresh rate unknown)(, primary)?")


def list_monitors(ctx, backend):
    """zynmon --list-monitors as (name, (width, height), (x, y), scale, rate, primary),
    checked against sway's outputs."""
    out = run([os.path.join(ctx.build_dir, "zynmon"), "--list-monitors"],
              ctx.display.envs[backend]).decode()
    monitors = []
    for index, line in enumerate(out.splitlines()):
        match = MONITOR_LINE.fullmatch(line)
        expect(match and int(match[1]) == index, f"monitor line {line!r}")
        monitors.append((match[2], (int(match[3]), int(match[4])), (int(match[5]), int(match[6])),
                         int(match[7]), int(match[8] or 0), bool(match[9])))
    outputs = ctx.display.outputs()
    wanted = [((o["current_mode"]["width"], o["current_mode"]["height"]),
               (o["rect"]["x"], o["rect"]["y"]), round(o["current_mode"]["refresh"] / 1000))
              for o in outputs]
    listed = [(size, position, rate) for _, size, position, _, rate, _ in monitors]
    expect(listed == wanted, f"{backend}: monitors {listed}, sway has {wanted}")
    names = [m[0] for m in monitors]
    expect(len(set(names)) == len(names), f"{backend}: names {names} are not unique")
    expect(backend != "wayland" or names == [o["name"] for o in outputs],
           f"{backend}: names {names}")
    return monitors


@passes("sway")
def test_monitors_are_listed_and_the_picture_covers_the_chosen_one_only(ctx):
    outputs = [o["name"] for o in ctx.display.outputs()]
    desktop = {name: ctx.display.screenshot(name)[1] for name in outputs}
    # The depth GDK reports: 32 bits on Wayland, the X screen's 24 through XWayland.
    depths = {"wayland": 32, "x11": 24}
    for backend, env in ctx.display.envs.items():
        monitors = list_monitors(ctx, backend)
        for args, target, picture in (((), 0, 0), (("--monitor", "1"), 1, 0),
                                      (("--monitor", monitors[1][0], "--picture", "12"), 1, 12)):
            what = f"{backend} {' '.join(args) or '(default)'}"
            name, size, _, _, rate, _ = monitors[target]
            if backend == "x11":
                # sway puts an X11 window on the focused output, whatever the
                # window asks for: the user starts the program there.
                ctx.display.swaymsg("focus", "output", outputs[target])
            # Beside the logo file: --no-intro shows the picture at once.
            p = ctx.start(intro_directory(ctx), args=("--no-intro", *args), env=env)
            p.expect_screen(ctx.render(picture, size=size, refresh=rate, bpp=depths[backend]),
                            f"{what}: picture {picture} at {size[0]}x{size[1]}",
                            output=outputs[target])
            for other in set(outputs) - {outputs[target]}:
                expect(ctx.display.screenshot(other)[1] == desktop[other],
                       f"{what}: {other} changed")
            # The panel lies on the monitor, its client area centred on it.
            ox, oy, ow, oh, _ = ctx.display.output(outputs[target])
            x0, y0, x1, y1 = ctx.display.window_frame(p.panel)
            x, y, w, h = ctx.display.window_geometry(p.panel)
            centre = (x + w // 2 - ox - ow // 2, y + h // 2 - oy - oh // 2)
            expect(ox <= x0 and x1 <= ox + ow and oy <= y0 and y1 <= oy + oh
                   and all(abs(c) <= 1 for c in centre),
                   f"{what}: panel at {(x, y, w, h)}, {centre} from the centre of {name}")
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
            sway.swaymsg("output", second, "position", str(logical[0]), "0")
            sway.swaymsg("output", first, "mode", f"{width}x{height}", "scale", f"{scale:g}")
            wait_until(lambda: sway.output(first)[:4] == (0, 0, *logical),
                       f"{first} at scale {scale}")
            what = f"{width}x{height} at scale {scale:g}"
            rate = round(next(o for o in sway.outputs() if o["name"] == first)
                         ["current_mode"]["refresh"] / 1000)
            p = ctx.start(args=("--monitor", first, "--no-intro"), env=sway.envs["wayland"])

            def expect_picture(picture, note, **state):
                p.expect_screen(ctx.render(picture, size=(width, height), bpp=32, **state),
                                f"{what}: {note}", output=first)
            expect_picture(0, "picture 0")
            p.click_control("Hoch")
            p.click_picture_button(6)
            expect_picture(6, "picture 6 at \"Hoch\"", resolution=2)
            p.click_picture_button(4)
            # The right click comes once picture 4 shows: choosing it resets the variant.
            expect_picture(4, "picture 4", resolution=2)
            p.click_picture(button=3)
            expect_picture(4, "picture 4 after a right click", resolution=2, variant=1)
            # The test card's caption states the physical size.
            p.click_picture_button(12)
            expect_picture(12, "picture 12", resolution=2, refresh=rate)
            stop(p.process)
    finally:
        for o in original:
            mode = "{width}x{height}".format(**o["current_mode"])
            sway.swaymsg("output", o["name"], "mode", mode, "scale", f"{o['scale']:g}",
                         "position", str(o["rect"]["x"]), str(o["rect"]["y"]))


@passes("sway")
def test_bad_command_lines_exit_2_naming_the_fault(ctx):
    exe = os.path.join(ctx.build_dir, "zynmon")
    no_display = {k: v for k, v in ctx.display.env.items()
                  if k not in ("DISPLAY", "WAYLAND_DISPLAY")}
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
    expect(result.returncode == 0,
           "test_panel_gui failed:\n" + result.stdout.decode(errors="replace"))


def main():
    if len(sys.argv) < 2:
        print(__doc__.strip().splitlines()[-1].strip(), file=sys.stderr)
        return 2
    build_dir, wanted, failures = sys.argv[1], set(sys.argv[2:]), 0
    scratch = tempfile.mkdtemp(prefix="zynmon-e2e-")
    try:
        renderer = Renderer(build_dir, scratch)
        for name, make_display, scale in PASSES:
            tests = [t for t in TESTS[name] if not wanted or t.__name__ in wanted]
            display = make_display() if tests else None
            try:
                for test in tests:
                    ctx = Context(display, renderer, build_dir, scratch, scale)
                    started = time.monotonic()
                    try:
                        test(ctx)
                        status = "ok"
                    except Exception as error:  # a broken test fails, the run goes on
                        failures += 1
                        status = f"FAIL: {error if isinstance(error, Failure) else repr(error)}"
                    finally:
                        ctx.stop()
                    notes = "".join(f" ({note})" for note in ctx.notes)
                    print(f"[{name}] {test.__name__}: {status}{notes} "
                          f"[{time.monotonic() - started:.1f} s]", flush=True)
            finally:
                if display:
                    display.close()
    finally:
        shutil.rmtree(scratch, ignore_errors=True)
    print(f"e2e: {failures} failed" if failures else "e2e: all passed")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
