#!/usr/bin/env python3
# SPDX-License-Identifier: MIT
"""End-to-end tests: the real program on Xvfb (plain, scaled, under window managers) and on a headless
sway (a Wayland client, and through XWayland), driven by keys and clicks, its screen compared pixel for
pixel with zynmon-render's picture of the same state outside the panel.

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
import threading
import time
import types

WIDTH, HEIGHT, DEPTH = 1024, 768, 24
TIMEOUT = 10.0
CONVERT = "/usr/bin/convert"
LOGO_COLOUR = bytes((40, 66, 132))
PANEL_GREY = bytes((192, 192, 192))
# The logo's width once zoomed: 2 * (WIDTH / 3 - 1).
FINAL_LOGO_WIDTH = 2 * (WIDTH // 3 - 1)
PANEL_TITLE = "ZYN Monitor Test Kontrollfeld"
# Panel template positions in dialog units (x, y, w, h) of the controls the tests use.
CONTROLS = {"Rot": (120, 15, 25, 10), "Grün": (120, 25, 30, 10), "Blau": (120, 35, 30, 10),
            "Volles Bild": (50, 80, 50, 14), "Hoch": (120, 65, 35, 10)}
# This environment without a desktop of its own: each test gives the program its desktop.
ENVIRONMENT = dict({k: v for k, v in os.environ.items() if k not in (
    "DISPLAY", "WAYLAND_DISPLAY", "GDK_SCALE", "GDK_DPI_SCALE", "GDK_BACKEND")}, NO_AT_BRIDGE="1")
# What the user sees: the picture in its state, and the panel shown above it or hidden.
State = collections.namedtuple("State", "picture variant panel guns resolution", defaults=("none", 1))
Failure = AssertionError  # a check that does not hold


def mul_div(a, b, c):
    return (a * b + c // 2) // c


def run(args, env=os.environ, check=True, input=None, timeout=TIMEOUT):
    result = subprocess.run([*map(str, args)], env=env, capture_output=True, timeout=timeout, input=input)
    if check and result.returncode != 0:
        output = (result.stdout + result.stderr).decode(errors="replace")
        raise Failure(f"{' '.join(map(str, args))} failed:\n{output}")
    return result.stdout


def stop(process):
    if process and process.poll() is None:
        process.terminate()
        with contextlib.suppress(subprocess.TimeoutExpired):
            process.wait(timeout=5)
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


def differing(screen, expected, mask=None, width=WIDTH):
    """The pixels (x, y, shown, expected) where the screen differs from the expected one outside the mask."""
    expect(len(screen) == len(expected), f"a screen of {len(screen)} bytes, expected {len(expected)}")
    mx0, my0, mx1, my1 = mask or (0, 0, 0, 0)
    for y in range(len(expected) // (width * 3)):
        for x0, x1 in [(0, max(0, mx0)), (min(width, mx1), width)] if my0 <= y < my1 else [(0, width)]:
            a, b = (pixels[(y * width + x0) * 3:(y * width + x1) * 3] for pixels in (screen, expected))
            if a != b:
                yield from ((x0 + i // 3, y, a[i:i + 3].hex(), b[i:i + 3].hex())
                            for i in range(0, len(a), 3) if a[i:i + 3] != b[i:i + 3])


def expect_same(measure, what):
    """Waits until measure()'s (screen, expected, mask, width) agree, or names what differs. A measure that
    fails (a window the desktop replaces meanwhile) counts as not agreeing yet."""
    last, errors = [], []

    def agree():
        try:
            last.append(measure())
        except Failure as error:
            errors.append(error)
            return False
        return not any(differing(*last[-1]))
    try:
        wait_until(agree, what)
    except Failure:
        if not last:
            raise Failure(f"{what}: {errors[-1]}") from None
        found = list(differing(*last[-1]))
        failed = f" (a measure failed: {errors[-1]})" if errors else ""
        raise Failure(f"{what}: {len(found)} pixels differ, first at {found[:1]}{failed}") from None


def start_window_manager(env, command, home=None, ewmh=True):
    """The window manager (the command, in home if given) once it manages the display's screen; one without
    EWMH is there once it has made its own windows on the root."""
    wm = subprocess.Popen(command, env=dict(env, **(home and {"HOME": home} or {})), cwd=home,
                          stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)

    def managing():
        expect(wm.poll() is None, f"{command[0]} ended")
        if ewmh:
            return b"_NET_SUPPORTING_WM_CHECK(WINDOW)" in run(
                ["xprop", "-root", "_NET_SUPPORTING_WM_CHECK"], env, check=False)
        return "0 children" not in run(["xwininfo", "-root", "-children"], env).decode()
    wait_until(managing, f"{command[0]} to manage the screen")
    return wm


class Display:
    """An Xvfb server, with a window manager (the command that starts it, in home if given) or none; Sway is
    alike."""

    width = WIDTH

    def __init__(self, window_manager=(), home=None, ewmh=True):
        self.server = subprocess.Popen(
            ["Xvfb", "-displayfd", "1", "-screen", "0", f"{WIDTH}x{HEIGHT}x{DEPTH}", "-nolisten", "tcp",
             "-noreset"], stdout=subprocess.PIPE, stderr=subprocess.DEVNULL)
        number = self.server.stdout.readline().strip().decode()  # the free display number it took
        expect(number, "Xvfb did not start")
        self.env = dict(ENVIRONMENT, DISPLAY=f":{number}")
        self.wm = window_manager and start_window_manager(self.env, window_manager, home, ewmh)

    def close(self):
        stop(self.wm)
        stop(self.server)

    def xdotool(self, *args):
        return run(["xdotool", *args], self.env).decode()

    def click(self, x, y, button=1, repeat=1):
        self.xdotool("mousemove", x, y, "click", "--repeat", repeat, "--delay", 60, button)

    def find_windows(self, title):
        return x11_windows(self.env, title)

    def frame_extents(self, window):
        """left, right, top, bottom of the window manager's frame (0 without one)."""
        out = run(["xprop", "-id", window, "_NET_FRAME_EXTENTS"], self.env, False).decode()
        return tuple(int(v) for v in out.split("=")[1].split(",")) if "=" in out else (0, 0, 0, 0)

    def wait_for_frame(self, window):
        if self.wm:
            wait_until(lambda: any(self.frame_extents(window)), "the window manager's frame")

    def window_rects(self, window, border=False):
        """The window's client area (x, y, w, h), and (x0, y0, x1, y1) of the root's child holding it; with
        border, widened by the border the manager draws around that (twm, awesome): xwininfo's corner lies
        inside it, and the border shows past the frame's far side by twice its width."""
        client = None
        while True:
            info = run(["xwininfo", "-tree", "-stats", "-id", window], self.env).decode()
            x, y, w, h, b = (int(re.search(rf"{key}: *(-?\d+)", info)[1]) for key in
                             ("Absolute upper-left X", "Absolute upper-left Y", "Width", "Height", "Border width"))
            client, parent = client or (x, y, w, h), info.split("Parent window id: ")[1].splitlines()[0]
            if "(the root window)" in parent:
                b *= 2 * border
                return client, (x - b, y - b, x + w + b, y + h + b)
            window = int(parent.split()[0], 16)

    def screenshot(self, output=None, window=None):
        """The whole screen, an output of it or a window's own image: its width and raw RGB."""
        xwd = run(["xwd", "-silent", *(["-id", window] if window else ["-root"])], self.env)
        x, y, w, h = self.output(output)[:4] if output else (0, 0, self.width, 0)
        crop = ["-crop", f"{w}x{h}+{x}+{y}"] if output else []
        return w, run([CONVERT, "xwd:-", *crop, "-depth", "8", "rgb:-"], self.env, input=xwd)


def xlib(display):
    """Xlib and a new connection to the display, which the caller closes (pass ctypes values)."""
    x11 = ctypes.CDLL("libX11.so.6")
    x11.XOpenDisplay.restype, x11.XInternAtom.restype = ctypes.c_void_p, ctypes.c_ulong
    dpy = ctypes.c_void_p(x11.XOpenDisplay(display.env["DISPLAY"].encode()))
    expect(dpy.value, "cannot open the display")
    return x11, dpy


def send_delete_window(display, window):
    """What a window manager's close box does: WM_DELETE_WINDOW to the client."""
    x11, dpy = xlib(display)
    # An XClientMessageEvent in longs: type, serial, send_event, display, window, type, format, data.
    event = (ctypes.c_long * 24)(33, 0, 0, 0, window, x11.XInternAtom(dpy, b"WM_PROTOCOLS", 0),
                                 32, x11.XInternAtom(dpy, b"WM_DELETE_WINDOW", 0), 0)
    x11.XSendEvent(dpy, ctypes.c_ulong(window), 0, ctypes.c_long(0), event)
    x11.XCloseDisplay(dpy)


def cursor_hidden(display):
    """Whether the pointer's current cursor image is wholly transparent."""

    class CursorImage(ctypes.Structure):  # XFixes' cursor image up to its pixels
        _fields_ = [*((name, ctypes.c_short) for name in ("x", "y")),
                    *((name, ctypes.c_ushort) for name in ("width", "height", "xhot", "yhot")),
                    ("cursor_serial", ctypes.c_ulong), ("pixels", ctypes.POINTER(ctypes.c_ulong))]
    xfixes = ctypes.CDLL("libXfixes.so.3")
    xfixes.XFixesGetCursorImage.restype = ctypes.POINTER(CursorImage)
    x11, dpy = xlib(display)
    image = xfixes.XFixesGetCursorImage(dpy)
    pixels = image.contents.pixels[:image.contents.width * image.contents.height]
    x11.XFree(image)
    x11.XCloseDisplay(dpy)
    return all(pixel >> 24 & 0xFF == 0 for pixel in pixels)


def wayland_message(obj, opcode, body=b""):
    """A request in the Wayland wire format: object, size and opcode, arguments."""
    return struct.pack("<II", obj, (8 + len(body)) << 16 | opcode) + body


def virtual_pointer(path):
    """A pointer device on sway's seat, for as long as the connection returned lasts: a headless sway
    has none, and without one its clients get no pointer. Speaks the Wayland wire format itself."""
    sock = socket.socket(socket.AF_UNIX)
    sock.settimeout(TIMEOUT)
    sock.connect(path)
    message = wayland_message

    def roundtrip(callback, request):
        """Sends the request and wl_display.sync: what sway sends up to the callback's done event."""
        sock.sendall(request + message(1, 0, struct.pack("<I", callback)))
        events = b""
        while struct.pack("<IHH", callback, 0, 12) not in events:
            events += sock.recv(65536) or expect(False, "sway closed the virtual pointer's connection")
        return events

    # wl_display.get_registry as object 2: a global event gives an interface's name, its length, itself.
    interface = b"zwlr_virtual_pointer_manager_v1\0"
    events = roundtrip(3, message(1, 1, struct.pack("<I", 2)))
    at = events.find(interface)
    expect(at >= 8, "sway offers no virtual pointer manager")
    # wl_registry.bind as object 4 (the name, the interface, version 1), create_virtual_pointer as 5.
    bind = events[at - 8:at - 4] + struct.pack("<I", len(interface)) + interface + struct.pack("<II", 1, 4)
    roundtrip(6, message(2, 0, bind) + message(4, 0, struct.pack("<II", 0, 5)))
    return sock


class Sway:
    """A headless sway with two outputs, for Wayland clients (`envs["wayland"]`) and X11 ones through
    its XWayland (`envs["x11"]`). Windows are sway's containers, found by title in its tree."""

    OUTPUTS = {"HEADLESS-1": (0, 0, 1280, 1024), "HEADLESS-2": (1280, 0, 1920, 1080)}  # x, y, w, h

    def __init__(self, inside=None):
        """inside: a sway showing this one's outputs as its windows: closing one unplugs an output."""
        self.process, self.runtime = None, tempfile.mkdtemp(prefix="zynmon-sway-")
        self.OUTPUTS = inside and {"WL-1": (0, 0, 640, 480), "WL-2": (640, 0, 800, 600)} or self.OUTPUTS
        try:
            with open(os.path.join(self.runtime, "config"), "w") as config:
                # The virtual pointer's cursor would show in the screenshots. XWayland's display is
                # written down as sway gives it to the programs it starts; XWayland admits only sway's
                # user, and this one too. A sway inside keeps the size of its outputs.
                config.write("seat * hide_cursor 100\nfor_window [app_id=wlroots] floating enable\n" + (
                    "xwayland disable\n" if inside else "xwayland force\nexec echo $DISPLAY >display\n"
                    f"exec xhost +si:localuser:{pwd.getpwuid(os.getuid()).pw_name}\n"))
                for name, (x, y, w, h) in self.OUTPUTS.items():
                    config.write(f"output {name} mode {w}x{h} position {x} {y} scale 1\n")
            uid, ids = os.getuid(), {}
            if uid == 0:
                # sway refuses root: it runs as nobody; XWayland wants its socket directory root's.
                os.makedirs("/tmp/.X11-unix", exist_ok=True)
                os.chown("/tmp/.X11-unix", 0, 0)
                os.chmod("/tmp/.X11-unix", 0o1777)
                nobody = pwd.getpwnam("nobody")
                uid, ids = nobody.pw_uid, dict(user=nobody.pw_uid, group=nobody.pw_gid, extra_groups=[])
                os.chown(self.runtime, uid, nobody.pw_gid)
            os.chmod(self.runtime, 0o700)
            backend = dict(WLR_BACKENDS="wayland", WLR_WL_OUTPUTS="2", WAYLAND_DISPLAY=inside.envs["wayland"][
                "WAYLAND_DISPLAY"]) if inside else dict(WLR_BACKENDS="headless", WLR_HEADLESS_OUTPUTS="2")
            with open(os.path.join(self.runtime, "sway.log"), "w") as log:
                self.process = subprocess.Popen(
                    ["sway", "-c", "config"], cwd=self.runtime, stdout=log, stderr=log, **ids,
                    env={"PATH": os.environ["PATH"], "HOME": self.runtime, "XDG_RUNTIME_DIR": self.runtime,
                         "WLR_RENDERER": "pixman", "WLR_LIBINPUT_NO_DEVICES": "1", **backend})
            wayland = os.path.join(self.runtime, "wayland-1")
            self.ipc = os.path.join(self.runtime, f"sway-ipc.{uid}.{self.process.pid}.sock")
            wait_until(lambda: expect(self.process.poll() is None, f"sway ended: {open(log.name).read()}")
                       or os.path.exists(wayland) and os.path.exists(self.ipc), "sway to start")
            self.envs = {"wayland": dict(ENVIRONMENT, GDK_BACKEND="wayland", XDG_RUNTIME_DIR=self.runtime,
                                         WAYLAND_DISPLAY=wayland)}
            display_file = os.path.join(self.runtime, "display")
            if not inside:
                self.envs["x11"] = dict(self.envs["wayland"], GDK_BACKEND="x11", DISPLAY=wait_until(
                    lambda: os.path.exists(display_file) and open(display_file).read().strip(),
                    "XWayland's display name"))
            # Made before any program starts, so that each finds a pointer on the seat; it goes with sway.
            self.pointer = virtual_pointer(wayland)
            # The outputs as configured and empty: the new pointer's cursor shows until sway's
            # hide_cursor timer hides it, and the tests' pictures of the empty desktop must not hold it.
            def settled(name):
                rgb = self.screenshot(name)[1]
                return rgb == rgb[:3] * (len(rgb) // 3) and self.output(name)[:4] == self.OUTPUTS[name]
            wait_until(lambda: all(map(settled, self.OUTPUTS)), "the configured outputs, empty")
            wait_until(lambda: inside or run(["xprop", "-root"], self.envs["x11"], False), "XWayland to start")
        except BaseException:
            self.close()
            raise

    def close(self):
        stop(self.process)
        shutil.rmtree(self.runtime, ignore_errors=True)

    def swaymsg(self, *args):
        return json.loads(run(["swaymsg", "-s", self.ipc, "-r", *args]))

    def output(self, name):
        """An output's rectangle (x, y, width, height) in the desktop's layout, scale and rate in Hz."""
        o = {o["name"]: o for o in self.swaymsg("-t", "get_outputs")}[name]
        return (*(o["rect"][k] for k in ("x", "y", "width", "height")), o["scale"],
                round(o["current_mode"]["refresh"] / 1000))

    def click(self, x, y, button=1):
        cursor = "seat seat0 cursor"
        self.swaymsg(f"{cursor} set {x} {y}; {cursor} press button{button}; {cursor} release button{button}")

    def screenshot(self, output):
        """An output's width and pixels as raw RGB."""
        ppm = run(["grim", "-o", output, "-t", "ppm", "-"], self.envs["wayland"])
        _, width, _, _, rgb = ppm.split(maxsplit=4)
        return int(width), rgb

    def _views(self, node=None):
        """The visible windows in sway's tree by their ids."""
        node, views = node or self.swaymsg("-t", "get_tree"), {}
        if node.get("pid") is not None and node.get("visible"):
            views[node["id"]] = node
        for child in node.get("nodes", []) + node.get("floating_nodes", []):
            views.update(self._views(child))
        return views

    def _view(self, window):
        return self._views().get(window) or expect(False, f"the window {window} went away")

    def find_windows(self, title):
        return [window for window, view in self._views().items() if view["name"] == title]

    def wait_for_frame(self, window):
        # Until sway has laid out the floating window its tree gives its title bar's rows as its own.
        wait_until(lambda: self._view(window)["deco_rect"]["height"] > 0, "sway's title bar")

    def window_rects(self, window):
        view = self._view(window)
        (outer, inner), title = (view["rect"], view["window_rect"]), view["deco_rect"]["height"]
        # A floating window's title bar lies right above its rectangle.
        return ((outer["x"] + inner["x"], outer["y"] + inner["y"], inner["width"], inner["height"]),
                (outer["x"], outer["y"] - title, outer["x"] + outer["width"], outer["y"] + outer["height"]))


@functools.cache
def render(build_dir, picture, variant=0, guns="none", resolution=1, ticks=0, size=(WIDTH, HEIGHT), refresh=0,
           bpp=DEPTH):
    """zynmon-render's screen for a state, as raw RGB."""
    png = render_png(build_dir, picture, size, bpp, refresh, variant=variant, guns=guns, resolution=resolution,
                     ticks=ticks)
    return run([CONVERT, "png:-", "-depth", "8", "rgb:-"], input=png)


def render_png(build_dir, picture, size, bpp, refresh, **state):
    """zynmon-render's PNG file of a state, byte for byte."""
    options = [f"--{key} {value}" for key, value in state.items()]
    return run([os.path.join(build_dir, "zynmon-render"), "--picture", picture, "--size", "%dx%d" % size,
                "--bpp", bpp, "--refresh", refresh, *" ".join(options).split(), "--output", "/dev/stdout"])


def start(ctx, args, env, directory=None, stderr=subprocess.DEVNULL):
    """The desktop program started in the scratch directory (or that one); the test's end stops it."""
    process = subprocess.Popen([ctx.zynmon, *args], env=env, cwd=directory or ctx.scratch,
                               stdout=subprocess.DEVNULL, stderr=stderr)
    ctx.programs.append(process)
    return process


def expect_exit(ctx, env, args, status, named, out=""):
    """The program ends with the status, its output starting with out, and its stderr one line naming the
    fault (named None: nothing on stderr)."""
    result = subprocess.run([ctx.zynmon, *args], capture_output=True, env=env, timeout=TIMEOUT)
    lines = result.stderr.decode().splitlines()
    expect(result.returncode == status and result.stdout.decode().startswith(out)
           and (lines == [] if named is None else len(lines) == 1 and named in lines[0]),
           f"{args} ({env.get('GDK_BACKEND', env.get('DISPLAY', 'no display'))}): status {result.returncode}, "
           f"stderr {lines}")


class Program:
    """The desktop program running on a display, and what the tests know of it."""

    def __init__(self, ctx, directory=None, wait_for_panel=True, args=(), env=None):
        self.display, self.scale, self.render, self.clicks = ctx.display, ctx.scale, ctx.render, 0
        env = dict(env or self.display.env, **({"GDK_SCALE": str(ctx.scale)} if ctx.scale != 1 else {}))
        self.process = start(ctx, args, env, directory)
        self.window = self.find("ZYN Monitor Test Window")
        if wait_for_panel:
            self.wait_for_panel()

    def wait_for_panel(self):
        self.panel = self.find(PANEL_TITLE)
        self.display.wait_for_frame(self.panel)
        self.panel_frame()
        _, _, w, h = self.panel_rect
        # The base units that give the panel's client size from its 170 x 106 units.
        bx = [b for b in range(1, 64) if mul_div(170, b, 4) == w // self.scale]
        by = [b for b in range(1, 64) if mul_div(106, b, 8) == h // self.scale]
        expect(bx and by, f"panel client {w}x{h} is not 170 x 106 dialog units")
        self.base = (bx[0], by[0])

    def find(self, title):
        return wait_until(lambda: expect(self.process.poll() is None, f"it ended: {self.process.returncode}")
                          or self.display.find_windows(title), f"the window {title!r}")[0]

    def panel_visible(self):
        return bool(self.display.find_windows(PANEL_TITLE))

    def panel_frame(self):
        """The panel's frame (x0, y0, x1, y1) now, its client area in panel_rect (sway may move it)."""
        self.panel_rect, frame = self.display.window_rects(self.panel)
        return frame

    def click_panel(self, du_x, du_y, du_w=0, du_h=0, pixels=0):
        """A click a third into a control in dialog units, or pixels right and below its position."""
        bx, by = self.base
        left = mul_div(du_x, bx, 4) + mul_div(du_w, bx, 4) * 0.3 + pixels
        top = mul_div(du_y, by, 8) + mul_div(du_h, by, 8) / 2 + pixels
        x, y, _, _ = self.panel_rect
        self.display.click(x + int(left * self.scale), y + int(top * self.scale))

    def do(self, action):
        """"click B" or "double B" on the picture with mouse button B, "button N" (picture N's),
        "control NAME", "keys K ..." to the panel, "type K ..." to the window that has the keyboard."""
        verb, _, arg = action.partition(" ")
        if verb in ("click", "double"):
            # Away from the panel, each click elsewhere: two clicks in a row are no double click.
            self.clicks += 1
            self.display.click(20 + 40 * (self.clicks % 8), 20, int(arg), *[2] * (verb == "double"))
        elif verb == "button":
            # Six buttons to a row, each its bitmap's 18 x 18 pixels from its template position.
            self.click_panel(10 + 15 * (int(arg) % 6), 35 + 15 * (int(arg) // 6), pixels=9)
        elif verb == "control":
            self.click_panel(*CONTROLS[arg])
        else:
            focus = ["windowfocus", "--sync", self.panel] if verb == "keys" else []  # "keys" go to the panel
            self.display.xdotool(*focus, "key", *arg.split())

    def expect_screen(self, expected, what, masked=True, output=None):
        """The screen (or one output of sway's) equals the expected picture outside the panel's frame."""
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
        """Takes each step (an action, the state after it) and waits for the state: the picture, the
        panel shown above it or hidden, on X11 the cursor with the panel and where the panel lies its
        own image, not the picture (an obscured window's image is the screen's). A step that changes
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
            picture = self.render(state.picture, state.variant, state.guns, state.resolution, **rendering)
            self.expect_screen(picture, what, state.panel, output)
            if isinstance(self.display, Display):
                wait_until(lambda: cursor_hidden(self.display) != state.panel, f"{what}: the cursor")
            if isinstance(self.display, Display) and state.panel:
                def measure():
                    (x, y, w, h), _ = self.display.window_rects(self.panel)
                    rows = [((y + row) * WIDTH + x) * 3 for row in range(h)]
                    shown, beneath = (b"".join(screen[i:i + w * 3] for i in rows)
                                      for screen in (self.display.screenshot()[1], picture))
                    own = self.display.screenshot(window=self.panel)[1]
                    # Where the picture lies above the panel every pixel counts as wrong.
                    return shown, own if shown != beneath else bytes(b ^ 0xFF for b in shown), None, w
                expect_same(measure, f"{what}: the panel on the screen")


# The passes in their order: a name, how its desktop starts, GDK_SCALE.
PASSES = [("plain", Display, 1), ("scaled x2", Display, 2),
          ("openbox", lambda: Display(["openbox", "--sm-disable"]), 1),
          ("metacity", lambda: Display(["metacity", "--sm-disable"]), 1),
          ("icewm", lambda: Display(["icewm"]), 1), ("sway", Sway, 1)]
TESTS = []  # (test, the names of its passes) in the order of their definitions


def passes(*names):
    return lambda test: TESTS.append((test, names)) or test


@passes("plain", "scaled x2", "openbox", "metacity", "icewm")
def test_panel_starts_centred_its_keys_buttons_and_clicks_choose_what_shows_and_escape_ends(ctx):
    p = Program(ctx)
    geometry = ctx.display.window_rects(p.window)[0]
    expect(geometry == (0, 0, WIDTH, HEIGHT), f"test window at {geometry}, not over the whole screen")
    s, (x, y, w, h), (left, _, top, _) = p.scale, p.panel_rect, ctx.display.frame_extents(p.panel)
    expected = (((WIDTH // s) >> 1) - ((w // s) >> 1), ((HEIGHT // s) >> 1) - ((h // s) >> 1))
    actual = ((x - left) // s, (y - top) // s)
    expect(actual == expected, f"panel at {actual}, centring formula gives {expected}")
    # The right clicks below step picture 0 to variant 2: a third step would show variant 3.
    expect(len({ctx.render(0, variant=v) for v in range(4)}) == 4, "picture 0 draws variants 0 to 3 alike")
    p.walk([
        # Up and Down in the panel's list, from the start where the list has the keyboard.
        ("keys Down", 1, 0, True), ("keys Down Down", 3, 0, True), ("keys Up", 2, 0, True),
        ("keys" + " Down" * 9, 11, 0, True), ("keys Down", 12, 0, True), ("keys" + " Up" * 12, 0, 0, True),
        # With the panel hidden the keys go to the test window, which the panel left.
        ("control Volles Bild", 0, 0, False), ("type Left", 12, 0, False), ("type space", 12, 1, False),
        ("type Right", 0, 0, False), ("type Next", 1, 0, False), ("type Down", 2, 0, False),
        ("type space", 2, 1, False), ("type Up", 1, 0, False), ("type Prior", 0, 0, False),
        ("type End", 12, 0, False), ("type Home", 0, 0, False), ("type Right", 1, 0, False),
        ("type Return", 1, 0, True), ("control Volles Bild", 1, 0, False), ("type Escape", 1, 0, True),
        ("keys Down", 2, 0, True),  # the panel's list followed the keys
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
        # Picture 11, which alternates its two phases every 750 ms.
        ("button 11", 11, 0, True, "rb")])
    phases = [ctx.render(11, guns="rb", ticks=0), ctx.render(11, guns="rb", ticks=1)]
    expect(phases[0] != phases[1], "picture 11 draws the same in both phases")
    mask, changes, deadline = p.panel_frame(), [], time.monotonic() + 4.0
    while time.monotonic() < deadline and len(changes) < 4:
        screen, now = ctx.display.screenshot()[1], time.monotonic()
        if not any(differing(screen, phases[1 - len(changes) % 2], mask)):
            changes.append(now)
    expect(len(changes) >= 3, f"only {len(changes)} phase changes in 4 s")
    # Each change is seen up to a screenshot late: from the first to the last that error counts once.
    period = (changes[-1] - changes[0]) / (len(changes) - 1)
    expect(0.6 < period < 0.9, f"phase changes {changes}: a period of {period:.2f} s, not 0.75 s")
    p.do("keys Escape")
    expect(p.process.wait(timeout=TIMEOUT) == 0, f"Escape: exit status {p.process.returncode}")


@passes("plain", "scaled x2", "openbox")
def test_intro_zooms_the_logo_a_key_or_click_ends_it_only_after_the_zoom_and_closing_ends(ctx):
    def close(window):
        """Closes the panel by its close box, or what that box sends without a window manager."""
        if window == p.window or not ctx.display.wm:
            return send_delete_window(ctx.display, window)
        # The close button is the rightmost of the title bar.
        (x, y, w, _), (_, right, top, _) = p.panel_rect, ctx.display.frame_extents(p.panel)
        ctx.display.click(x + w + right - top // 2, y - top // 2)

    def logo_width():
        """The width of the logo, centred on the screen; None where the centre is not its colour."""
        screen, centre = ctx.display.screenshot()[1], (HEIGHT // 2 * WIDTH + WIDTH // 2) * 3
        if screen[centre:centre + 3] != LOGO_COLOUR:
            return None
        # The first and one past the last column with a pixel that is not black.
        rows = [screen[y * WIDTH * 3:(y + 1) * WIDTH * 3] for y in range(HEIGHT)]
        first = min((len(row) - len(row.lstrip(b"\0"))) // 3 for row in rows)
        end = max((len(row.rstrip(b"\0")) + 2) // 3 for row in rows)
        expect(first + end == WIDTH, f"logo columns {first}..{end} are not centred")
        return end - first
    # Each way to end the intro, then the window closed to end the program (the panel by its close box).
    for way, window in (("key", "panel"), ("click", "window")):
        p = Program(ctx, ctx.intro, wait_for_panel=False)
        started, widths = time.monotonic(), []
        ctx.display.xdotool("mousemove", 20, HEIGHT - 20)
        wait_until(lambda: p.panel_visible() or logo_width(), "the logo")
        while time.monotonic() - started < 1.5:
            widths.append(logo_width())
            expect(widths[-1], "the logo went away during the zoom")
        expect(widths and widths == sorted(widths) and widths[0] < widths[-1] < FINAL_LOGO_WIDTH,
               f"logo widths {widths} in the zoom's first 1.5 s")
        expect(not p.panel_visible() and cursor_hidden(ctx.display), "the panel or the cursor in the zoom")
        if way == "key":
            # No focusing first: the test window has the keyboard from its start.
            ctx.display.xdotool("key", "space")
            deadline = started + 10.0
        else:
            wait_until(lambda: logo_width() == FINAL_LOGO_WIDTH, "the logo at its full size")
            # Past the zoom, in the hold after it or the title's fade.
            time.sleep(0.3)
            expect(not p.panel_visible(), "the panel is up during the intro")
            ctx.display.click(20, HEIGHT - 20)
            deadline = time.monotonic() + 3.0
        last_logo = time.monotonic()
        while not p.panel_visible():
            expect(time.monotonic() < deadline, f"the intro did not end in time after the {way}")
            width = logo_width()
            if width:
                expect(width >= widths[-1], f"the logo shrank after the {way}")
                last_logo = time.monotonic()
            expect(width or last_logo - started > 3.5, f"the {way} stopped the zoom")
        expect(last_logo - started > 3.5, f"the {way} stopped the zoom")
        p.wait_for_panel()
        # Then picture 0 with the cursor and the panel, which the click must not have hidden.
        time.sleep(0.5)
        p.walk([])
        close(getattr(p, window))
        expect(p.process.wait(timeout=TIMEOUT) == 0, f"closing the {window}: status {p.process.returncode}")


def expect_one_output(ctx, env, args, output, desktop, what, picture=0, bpp=DEPTH):
    """The program started beside the logo file with --no-intro (so the picture shows at once) and the
    arguments shows the picture on that output, drawn for its size; the others show their desktop still."""
    p = Program(ctx, ctx.intro, args=("--no-intro", *args), env=env)
    _, _, width, height, _, rate = ctx.display.output(output)
    p.expect_screen(ctx.render(picture, size=(width, height), refresh=rate, bpp=bpp),
                    f"{what}: picture {picture} at {width}x{height}", output=output)
    expect(all(ctx.display.screenshot(o)[1] == shot for o, shot in desktop.items() if o != output),
           f"{what}: another output changed")
    return p


@passes("sway")
def test_monitors_are_listed_and_the_picture_covers_the_chosen_one_only(ctx):
    sway, line = ctx.display, re.compile(r"(\d+): (.+), (\d+)x(\d+) at (-?\d+),(-?\d+), scale (\d+), "
                                         r"(?:(\d+) Hz|refresh rate unknown)(, primary)?")
    names = list(sway.OUTPUTS)
    desktop = {name: sway.screenshot(name)[1] for name in names}
    # Each output's size, position and rate; at scale 1 the layout's sizes are the screen's.
    wanted = [(w, h, x, y, rate) for x, y, w, h, _, rate in map(sway.output, names)]
    # The depth GDK reports: 32 bits on Wayland, the X screen's 24 through XWayland.
    for (backend, env), bpp in zip(sway.envs.items(), (32, 24)):
        lines = run([ctx.zynmon, "--list-monitors"], env).decode().splitlines()
        monitors = [line.fullmatch(text) for text in lines]
        expect(all(m and int(m[1]) == i for i, m in enumerate(monitors)), f"{backend}: monitors {lines}")
        listed = [tuple(int(m[k] or 0) for k in (3, 4, 5, 6, 8)) for m in monitors]
        listed_names = [m[2] for m in monitors]
        expect(listed == wanted and len(set(listed_names)) == len(names)
               and (backend != "wayland" or listed_names == names),
               f"{backend}: monitors {listed_names} {listed}, sway has {names} {wanted}")
        for args, target, picture in (((), 0, 0), (("--monitor", "1"), 1, 0),
                                      (("--monitor", listed_names[1], "--picture", "12"), 1, 12)):
            what, (width, height, ox, oy, _) = f"{backend} {' '.join(args) or '(default)'}", wanted[target]
            # sway puts an X11 window on the focused output, whatever it asks for: the user starts it there.
            sway.swaymsg("focus", "output", names[target])
            p = expect_one_output(ctx, env, args, names[target], desktop, what, picture, bpp)
            # The panel lies on the monitor, its client area centred on it.
            (x0, y0, x1, y1), (x, y, w, h) = p.panel_frame(), p.panel_rect
            centre = (x + w // 2 - ox - width // 2, y + h // 2 - oy - height // 2)
            expect(ox <= x0 and x1 <= ox + width and oy <= y0 and y1 <= oy + height
                   and all(abs(c) <= 1 for c in centre),
                   f"{what}: panel at {(x, y, w, h)}, {centre} from the centre of {names[target]}")
            stop(p.process)


@passes("sway")
def test_bad_command_lines_exit_2_naming_the_fault(ctx):
    bad = [(["--monitor"], "--monitor"), (["--monitor", "2"], "'2'"), (["--monitor="], "--monitor"),
           (["--monitor", "HEADLESS-9"], "HEADLESS-9"), (["--picture", "13"], "'13'"), (["stray"], "stray"),
           (["--picture", "x"], "'x'"), (["--picture"], "--picture"), (["--no-intro=1"], "--no-intro"),
           (["--list-monitors=1"], "--list-monitors"), (["--version=2"], "--version"),
           (["--help=1"], "--help"), (["--frobnicate"], "--frobnicate")]
    # (environment, arguments, exit status, start of stdout, named on stderr's one line)
    cases = [(backend, args, 2, "", named) for backend in ctx.display.envs for args, named in bad]
    cases += [(None, ["--help"], 0, "usage: zynmon", None), (None, [], 1, "", ""),
              (None, ["--version"], 0, "zynmon ", None), (None, ["--list-monitors"], 1, "", "")]
    for backend, args, status, out, named in cases:
        expect_exit(ctx, ctx.display.envs.get(backend, ENVIRONMENT), args, status, named, out)


@passes("sway")
def test_fractional_scales_show_physical_pixels(ctx):
    """HEADLESS-1 at fractional and integer scales, the program a Wayland client: the list states sway's own
    scale (GTK knows whole ones only), the screenshot (physical pixels) equals the picture of the output's
    mode, and clicks land right. It leaves the outputs so."""
    sway = ctx.display
    for width, height, scale in ((1920, 1080, 1.5), (1920, 1200, 1.25), (1280, 1024, 2)):
        logical = (round(width / scale), round(height / scale))
        sway.swaymsg("output", "HEADLESS-2", "position", logical[0], 0)
        sway.swaymsg("output", "HEADLESS-1", "mode", f"{width}x{height}", "scale", f"{scale:g}")
        wait_until(lambda: sway.output("HEADLESS-1")[:4] == (0, 0, *logical), f"the output at scale {scale}")
        first = run([ctx.zynmon, "--list-monitors"], sway.envs["wayland"]).decode()
        expect(f", scale {scale:g}, " in first.splitlines()[0], f"at scale {scale:g} the list says {first!r}")
        p = Program(ctx, args=("--monitor", "HEADLESS-1", "--no-intro"), env=sway.envs["wayland"])
        # "Hoch" chosen on picture 0 holds for the pictures after it; the right click comes once picture 4
        # shows, as choosing it resets the variant; the test card's caption states the physical size.
        p.walk([("control Hoch", 0, 0, True, "none", 2), ("button 6", 6, 0, True, "none", 2),
                ("button 4", 4, 0, True, "none", 2), ("click 3", 4, 1, True, "none", 2),
                ("button 12", 12, 0, True, "none", 2)],
               output="HEADLESS-1", size=(width, height), bpp=32, refresh=sway.output("HEADLESS-1")[5])
        stop(p.process)


# The remote control on the session bus: a bus of the test's own (dbus-run-session), the program started
# with --remote on it, driven with gdbus calls and watched through gdbus monitor.

class SessionBus:
    """dbus-run-session's bus for as long as this lasts; its address in `env`."""

    def __init__(self, env):
        self.process = subprocess.Popen(
            ["dbus-run-session", "--", "sh", "-c", 'echo "$DBUS_SESSION_BUS_ADDRESS"; exec cat >/dev/null'],
            env=env, stdin=subprocess.PIPE, stdout=subprocess.PIPE, stderr=subprocess.DEVNULL)
        address = self.process.stdout.readline().decode().strip()
        expect(address, "dbus-run-session started no bus")
        self.env = dict(env, DBUS_SESSION_BUS_ADDRESS=address)

    def close(self):
        self.process.stdin.close()  # the end of its command, and so of the bus
        with contextlib.suppress(subprocess.TimeoutExpired):
            self.process.wait(timeout=5)
        stop(self.process)


class Remote:
    """The program's object on a bus: gdbus calls, its properties, and the PropertiesChanged it sends."""

    def __init__(self, bus, name):
        self.env, self.name = bus.env, name
        self.path = "/" + name.replace(".", "/").replace("-", "_")
        self.interface = name.replace("-", "_") + ".Remote"
        self.signals, self.watching = [], threading.Event()
        self.monitor = subprocess.Popen(["gdbus", "monitor", "--session", "--dest", name, "--object-path",
                                         self.path], env=self.env, stdout=subprocess.PIPE,
                                        stderr=subprocess.DEVNULL)
        threading.Thread(target=self._read, daemon=True).start()
        expect(self.watching.wait(TIMEOUT), f"gdbus monitor does not see {name}")

    def _read(self):
        for line in map(bytes.decode, self.monitor.stdout):
            self.watching.set() if " is owned by " in line else None
            if ".PropertiesChanged (" in line:
                self.signals.append(self.parse(line))

    @staticmethod
    def parse(text):
        """The properties of GetAll's answer or a PropertiesChanged line, as text: 3, rb, true, [...]."""
        return {k: v.strip("'") for k, v in re.findall(r"'(\w+)': <(?:uint32 )?([^<>]*)>", text)}

    @staticmethod
    def text(value):
        """A value as gdbus and GetAll write it."""
        return str(value).lower() if isinstance(value, bool) else str(value)

    def call(self, method, *args, fails=None):
        """Calls the method; `fails`: the D-Bus error and a part of its message that it must answer."""
        result = subprocess.run(["gdbus", "call", "--session", "--dest", self.name, "--object-path", self.path,
                                 "--method", f"{self.interface}.{method}", *map(self.text, args)], env=self.env,
                                capture_output=True, timeout=TIMEOUT)
        answer = (result.stdout + result.stderr).decode(errors="replace").strip()
        expect((result.returncode != 0) == bool(fails) and all(part in answer for part in fails or ()),
               f"{method}{args}: {answer}")

    def state(self):
        return self.parse(run(["gdbus", "call", "--session", "--dest", self.name, "--object-path", self.path,
                               "--method", "org.freedesktop.DBus.Properties.GetAll", self.interface],
                              self.env).decode())

    def expect_change(self, action, **changed):
        """Takes the action and waits for the signals that tell the changed properties' new values."""
        told = len(self.signals)
        action()
        wanted = {k: self.text(v) for k, v in changed.items()}
        wait_until(lambda: wanted.items() <= functools.reduce(lambda a, b: {**a, **b},
                                                               self.signals[told:], {}).items(),
                   f"PropertiesChanged with {wanted}, got {self.signals[told:]}")


def app_id(build_dir):
    """The application's id, as the build names its AppStream metadata."""
    found = [f.removesuffix(".metainfo.xml") for f in os.listdir(os.path.join(build_dir, "dist"))
             if f.endswith(".metainfo.xml")]
    expect(len(found) == 1, f"AppStream files {found}")
    return found[0]


@passes("plain", "sway")
def test_remote_calls_on_the_session_bus_drive_the_picture_the_panel_follows_and_bad_calls_change_nothing(ctx):
    sway = isinstance(ctx.display, Sway)
    bus = SessionBus(ctx.display.envs["wayland"] if sway else ctx.display.env)
    try:
        p = Program(ctx, args=("--remote", "--no-intro"), env=bus.env)
        remote = Remote(bus, app_id(ctx.build_dir))
        wait_until(lambda: remote.state()["PanelShown"] == "true", "PanelShown")
        output = "HEADLESS-1" if sway else None
        _, _, w, h, scale, rate = ctx.display.output(output) if sway else (0, 0, WIDTH, HEIGHT, 1, 0)
        screen = dict(size=(round(w * scale), round(h * scale)), bpp=32 if sway else DEPTH, refresh=rate)
        monitor = run([ctx.zynmon, "--list-monitors"], bus.env).decode().split(",")[0]
        expect(remote.state() == dict(Picture="0", Variant="0", Guns="rgb", Resolution="1", PanelShown="true",
                                      Monitors="[(uint32 0, '%s')]" % monitor.split(": ")[1]),
               f"the state at the start: {remote.state()}")

        # Every picture, the screen and the capture each the renderer's.
        for picture in [*range(1, 13), 0]:
            remote.expect_change(lambda: remote.call("SetPicture", picture), Picture=picture)
            p.expect_screen(ctx.render(picture, **screen), f"picture {picture} by the bus", output=output)
            capture = os.path.join(ctx.scratch, "capture.png")
            remote.call("Capture", capture)
            expect(open(capture, "rb").read() in [render_png(ctx.build_dir, picture, **screen, ticks=t)
                                                  for t in range(1 + (picture == 11))],
                   f"the capture of picture {picture} is not the renderer's")

        # The panel follows the calls, and what the panel, the mouse and the keys change is told too.
        remote.expect_change(lambda: remote.call("SetPicture", 2), Picture=2)
        remote.expect_change(lambda: remote.call("SetGuns", "g"), Guns="g")
        remote.expect_change(lambda: p.do("control Grün"), Guns="rgb")  # the box was checked
        remote.expect_change(lambda: remote.call("SetResolution", 2), Resolution=2)
        remote.expect_change(lambda: remote.call("StepVariant"), Variant=1)
        remote.expect_change(lambda: p.do("click 3"), Variant=2)
        p.expect_screen(ctx.render(2, 2, "none", 2, **screen), "picture 2 by the bus", output=output)
        remote.expect_change(lambda: remote.call("ShowPanel", False), PanelShown=False)
        wait_until(lambda: not p.panel_visible(), "the panel hidden by the bus")
        remote.expect_change(lambda: p.do("click 1"), PanelShown=True)
        wait_until(p.panel_visible, "the panel shown by a click")
        p.wait_for_panel()  # where it shows now
        remote.expect_change(lambda: p.do("control Volles Bild"), PanelShown=False)
        remote.expect_change(lambda: remote.call("ShowPanel", True), PanelShown=True)
        wait_until(p.panel_visible, "the panel shown by the bus")
        if not sway:
            remote.expect_change(lambda: p.do("keys Down"), Picture=3, Variant=0)  # the list followed

        # Bad calls answer an error and change nothing, and a failed capture leaves no file.
        before, folder = remote.state(), os.path.join(ctx.scratch, "captures")
        os.makedirs(os.path.join(folder, "a folder"), exist_ok=True)
        invalid, failed = "org.freedesktop.DBus.Error.InvalidArgs", "org.freedesktop.DBus.Error.Failed"
        for method, arg, error, named in (
                ("SetPicture", 13, invalid, "13"), ("SetGuns", "x", invalid, "'x'"),
                ("SetGuns", "rr", invalid, "'rr'"), ("SetResolution", 3, invalid, "3"),
                ("Capture", "relative.png", invalid, "relative.png"),
                ("Capture", os.path.join(folder, "missing", "x.png"), failed, "missing"),
                ("Capture", os.path.join(folder, "a folder"), failed, "a folder")):
            remote.call(method, arg, fails=(error, named))
        expect(remote.state() == before, f"bad calls changed {before} to {remote.state()}")
        expect(os.listdir(folder) == ["a folder"] and not os.listdir(os.path.join(folder, "a folder")),
               f"failed captures left {os.listdir(folder)}")

        # A second program finds the name taken: it names the owner and ends with 2.
        expect_exit(ctx, bus.env, ["--remote"], 2, f"process {p.process.pid} ")
        remote.call("Quit")
        expect(p.process.wait(timeout=TIMEOUT) == 0, f"Quit: exit status {p.process.returncode}")
    finally:
        bus.close()


@passes("plain")
def test_panel_dialog_controls(ctx):
    run([os.path.join(ctx.build_dir, "tests", "test_panel_gui")], ctx.display.env, timeout=60)

# Every monitor at once: a picture on each output, one panel for all.

class Skip(Exception):
    """A pass whose desktop cannot start here: reported as skipped, with the reason."""


class XorgDummy:
    """Xorg with the dummy video driver: three RandR outputs side by side, the middle one primary (the
    panel's). Xvfb has one monitor; this is the X11 desktop with several. Needs root to start."""

    OUTPUTS = {"DUMMY0": (0, 0, 1280, 1024), "DUMMY1": (1280, 0, 1920, 1080), "DUMMY2": (3200, 0, 1024, 768)}
    PRIMARY = "DUMMY1"
    CONFIG = """Section "ServerFlags"
    Option "AutoAddDevices" "false"
    Option "DontVTSwitch" "true"
EndSection
Section "Device"
    Identifier "dummy"
    Driver "dummy"
    VideoRam 256000
EndSection
Section "Monitor"
    Identifier "monitor"
    HorizSync 5.0-1000.0
    VertRefresh 5.0-200.0
EndSection
Section "Screen"
    Identifier "screen"
    Device "dummy"
    Monitor "monitor"
    DefaultDepth 24
    SubSection "Display"
        Depth 24
        Virtual 4224 1080
    EndSubSection
EndSection
"""

    def __init__(self):
        self.server, self.unavailable, self.wm = None, None, None
        self.scratch = tempfile.mkdtemp(prefix="zynmon-xorg-")
        config, log = os.path.join(self.scratch, "xorg.conf"), os.path.join(self.scratch, "Xorg.log")
        with open(config, "w") as file:
            file.write(self.CONFIG)
        if not shutil.which("Xorg") or not os.path.exists("/usr/lib/xorg/modules/drivers/dummy_drv.so"):
            self.unavailable = "Xorg or its dummy video driver is not installed (xserver-xorg-video-dummy)"
            return
        if os.getuid() != 0:
            self.unavailable = "Xorg with a configuration of its own needs root; run the tests as root"
            return
        self.server = subprocess.Popen(
            ["Xorg", "-displayfd", "1", "-config", config, "-noreset", "-nolisten", "tcp", "-logfile", log],
            stdout=subprocess.PIPE, stderr=subprocess.DEVNULL)
        number = self.server.stdout.readline().strip().decode()
        if not number:
            self.server.wait()
            tail = open(log).read().splitlines()[-3:] if os.path.exists(log) else []
            self.unavailable = f"Xorg did not start (status {self.server.returncode}): {' / '.join(tail)}"
            return
        self.env = dict(ENVIRONMENT, DISPLAY=f":{number}")
        layout, left = [], None
        for name, (_, _, w, h) in self.OUTPUTS.items():
            run(["xrandr", "--addmode", name, f"{w}x{h}"], self.env, check=False)
            layout += ["--output", name, "--mode", f"{w}x{h}", *(["--right-of", left] if left else ["--pos", "0x0"]),
                       *(["--primary"] if name == self.PRIMARY else [])]
            left = name
        run(["xrandr", *layout], self.env)
        wait_until(lambda: all(self.output(name)[:4] == rect for name, rect in self.OUTPUTS.items()),
                   "the dummy outputs in place")

    def require(self):
        if self.unavailable:
            raise Skip(self.unavailable)

    def close(self):
        stop(self.wm)
        stop(self.server)
        shutil.rmtree(self.scratch, ignore_errors=True)

    def output(self, name):
        """An output's rectangle (x, y, width, height), scale 1 and its mode's rate in whole Hz."""
        lines = run(["xrandr"], self.env).decode().splitlines()
        at = next(i for i, line in enumerate(lines) if line.startswith(name + " "))
        w, h, x, y = map(int, re.search(r"(\d+)x(\d+)\+(\d+)\+(\d+)", lines[at]).groups())
        rate = next(float(re.search(r"([\d.]+)\*", line)[1]) for line in lines[at + 1:] if "*" in line)
        return x, y, w, h, 1, round(rate)

    # Its X11 side is Xvfb's, with no window manager (ManagedXorg starts one).
    width = sum(w for _, _, w, _ in OUTPUTS.values())
    xdotool, click, find_windows, frame_extents, window_rects, wait_for_frame, screenshot = (
        Display.xdotool, Display.click, Display.find_windows, Display.frame_extents, Display.window_rects,
        Display.wait_for_frame, Display.screenshot)


def start_on_every_monitor(ctx, env, outputs, windows=None):
    """The program with --monitor all, and the output its panel is centred on: the primary one where
    --list-monitors names one, else its first. The outputs map each of the program's monitors to the
    desktop's output name; windows() lists the test windows (by default the desktop's own list)."""
    lines = run([ctx.zynmon, "--list-monitors"], env).decode().splitlines()
    expect(len(lines) == len(outputs), f"monitors {lines}, the desktop has {list(outputs)}")
    lead = next((line.split(":")[0] for line in lines if line.endswith(", primary")), "0")
    name = next(line.split(", ")[0].split(": ")[1] for line in lines if line.startswith(lead + ":"))
    p = Program(ctx, args=("--monitor", "all", "--no-intro"), env=env)
    windows = windows or (lambda: ctx.display.find_windows("ZYN Monitor Test Window"))
    wait_until(lambda: len(windows()) == len(outputs), "a test window on every monitor")
    p.panel = p.find(PANEL_TITLE)
    expect_panel_centred(ctx, p, outputs[name], "the start")
    return p, outputs[name]


def expect_panel_centred(ctx, p, output, what):
    """The panel's client area comes to lie centred on the output, or its frame where that would be (where
    a window manager puts the frame at the place the program asked for)."""
    ox, oy, width, height = ctx.display.output(output)[:4]
    off = []

    def centred():
        p.panel_frame()
        (x, y, w, h), (left, _, top, _) = p.panel_rect, (
            ctx.display.frame_extents(p.panel) if hasattr(ctx.display, "frame_extents") else (0, 0, 0, 0))
        off[:] = [(x - dx + w // 2 - ox - round(width) // 2, y - dy + h // 2 - oy - round(height) // 2)
                  for dx, dy in ((0, 0), (left, top))]
        return any(abs(a) <= 1 and abs(b) <= 1 for a, b in off)
    with contextlib.suppress(Failure):
        wait_until(centred, "")
    expect(centred(), f"{what}: the panel at {p.panel_rect}, {off[0]} from the centre of {output}")


def expect_every_output(ctx, p, state, what, outputs, bpp, lead=None):
    """Each output shows the state's picture drawn for its own physical size; on the output that holds
    the panel its frame is masked while it shows (sway shows it again on the output clicked; with lead,
    it must show centred on that output)."""
    wait_until(lambda: p.panel_visible() == state.panel, f"{what}: the panel")
    panel_output = None
    if state.panel:
        # sway gives a window shown again a new identity.
        p.panel = p.find(PANEL_TITLE)
        lead and expect_panel_centred(ctx, p, lead, what)
        x0, y0, x1, y1 = p.panel_frame()
        panel_output = next(o for o in outputs if ctx.display.output(o)[0] <= (x0 + x1) // 2
                            < ctx.display.output(o)[0] + ctx.display.output(o)[2])
    for output in outputs:
        _, _, width, height, scale, rate = ctx.display.output(output)
        size = (round(width * scale), round(height * scale))
        picture = ctx.render(state.picture, state.variant, state.guns, state.resolution, size=size,
                             refresh=rate, bpp=bpp)
        p.expect_screen(picture, f"{what}: {state}", masked=state.panel and output == panel_output,
                        output=output)
    if state.panel:
        wait_until(lambda: panel_grey_share(ctx.display, p, panel_output) > 0.5,
                   f"{what}: the panel above the pictures")


def grey_pixels(screen, width, x0, y0, x1, y1):
    """How many pixels of the rectangle show the panel's grey."""
    return sum(screen[i:i + 3] == PANEL_GREY for y in range(y0, y1)
               for i in range((y * width + x0) * 3, (y * width + x1) * 3, 3))


def panel_grey_share(display, p, output):
    """The share of the panel's client area showing its grey: a panel below a picture passes masked."""
    ox, oy, _, _, scale, _ = display.output(output)
    x, y, w, h = (round(v * scale) for v in (p.panel_rect[0] - ox, p.panel_rect[1] - oy, *p.panel_rect[2:]))
    width, screen = display.screenshot(output)
    return grey_pixels(screen, width, x, y, x + w, y + h) / (w * h)


def walk_every_output(ctx, p, panel_output, outputs, bpp, type_key=None):
    """A picture chosen by the panel, a right click, a left click and, with type_key(output, key), keys in
    a window that is not the panel's: every output follows each step; then Escape on the panel ends it.
    The panel's button comes first, as soon as the panel shows: through XWayland the X server, not the
    compositor that shows the panel on top, decides which window a click reaches."""
    other = next(output for output in outputs if output != panel_output)
    ox, oy = ctx.display.output(other)[:2]
    steps = [("button 4", State(4, 0, True)),
             ("right click", State(4, 1, True)), ("left click", State(4, 1, False))]
    if type_key:
        steps += [("key Right", State(5, 0, False)), ("key space", State(5, 1, False)),
                  ("key Escape", State(5, 1, True))]
    else:
        steps += [("left click again", State(4, 1, True))]
    for step, (action, state) in enumerate(steps):
        verb, _, arg = action.partition(" ")
        arg = arg.split()[0] if arg else arg
        if verb == "button":
            p.do(action)
        elif verb in ("left", "right"):
            # Each click elsewhere: two clicks in a row are no double click.
            ctx.display.click(ox + 20 + 40 * step, oy + 20, 1 if verb == "left" else 3)
        elif verb == "key":
            type_key(other, arg)
        expect_every_output(ctx, p, state, f"after {action}", outputs, bpp,
                            None if isinstance(ctx.display, Sway) else panel_output)
    if type_key:
        type_key(None, "Escape")
        expect(p.process.wait(timeout=TIMEOUT) == 0, f"Escape: exit status {p.process.returncode}")


def x11_windows(env, title):
    """The X windows shown with that title, as xdotool finds them."""
    return [int(w) for w in run(["xdotool", "search", "--onlyvisible", "--name", f"^{title}$"], env, False).split()]


def x11_type_key(display, env):
    """type_key for walk_every_output: xdotool types into the test window on the output (None: the panel)."""
    def type_key(output, key):
        at = output and "Position: %d,%d " % display.output(output)[:2]
        window = next(w for w in x11_windows(env, "ZYN Monitor Test Window") if at in run(
            ["xdotool", "getwindowgeometry", w], env).decode()) if at else x11_windows(env, PANEL_TITLE)[0]
        run(["xdotool", "windowfocus", "--sync", window, "key", key], env)
    return type_key


@passes("sway")
def test_a_wayland_output_that_leaves_closes_its_window_and_the_others_go_on(ctx):
    ctx.display.swaymsg("focus", "output", "HEADLESS-1")
    with contextlib.closing(Sway(inside=ctx.display)) as inner:
        # The outer pointer off the inner sway's windows (it moves theirs); the panel opens on the focused WL-1.
        ctx.display.swaymsg("seat seat0 cursor set 9999 9999")
        inner.swaymsg("focus", "output", "WL-1")
        inner_ctx = types.SimpleNamespace(**dict(vars(ctx), display=inner))
        p, _ = start_on_every_monitor(inner_ctx, inner.envs["wayland"], {name: name for name in inner.OUTPUTS})
        expect_every_output(inner_ctx, p, State(0, 0, True), "the start", list(inner.OUTPUTS), 32)
        ctx.display.swaymsg("[title=\"wlroots - WL-2\"]", "kill")
        expect_a_monitor_gone(inner_ctx, p, ["WL-1"], 32)
        p.process.terminate()
        expect(p.process.wait(timeout=TIMEOUT) == 0, f"SIGTERM: exit status {p.process.returncode}")


@passes("sway")
def test_every_monitor_shows_its_picture_and_one_panel_drives_all(ctx):
    """A Wayland client with HEADLESS-2 at scale 1.5 draws each output's physical pixels. Through XWayland
    (both outputs at scale 1: sway 1.7 scales X11 windows on a scaled output) sway opens every window on
    the focused output, whatever it asks for: the window of the other output covers it without sway."""
    sway = ctx.display
    try:
        for backend, scale, bpp, names in (("wayland", 1.5, 32, sway.OUTPUTS),
                                           ("x11", 1, 24, ("XWAYLAND0", "XWAYLAND1"))):
            sway.swaymsg("output", "HEADLESS-1", "mode", "1280x1024", "position", "0", "0", "scale", "1")
            sway.swaymsg("output", "HEADLESS-2", "mode", "1920x1080", "position", "1280", "0", "scale", scale)
            wait_until(lambda: [sway.output(name)[:5] for name in sway.OUTPUTS]
                       == [(0, 0, 1280, 1024, 1), (1280, 0, round(1920 / scale), round(1080 / scale), scale)],
                       "the outputs in place")
            # Started where the user is, on the panel's output: sway opens a window on the focused one. The
            # pointer rests where the panel opens.
            sway.swaymsg("focus", "output", "HEADLESS-1")
            sway.swaymsg("seat seat0 cursor set 640 512")
            env, x11 = sway.envs[backend], backend == "x11"
            windows = x11 and (lambda: x11_windows(env, "ZYN Monitor Test Window"))
            p, panel_output = start_on_every_monitor(ctx, env, dict(zip(names, sway.OUTPUTS)), windows)
            walk_every_output(ctx, p, panel_output, list(sway.OUTPUTS), bpp, x11 and x11_type_key(sway, env))
            stop(p.process)
        sway.swaymsg("output", "HEADLESS-2", "scale", "1.5")
        # There sway scales what an X11 program shows (XWayland sees 1280x720): the program says so.
        listed = re.compile(r"^1: XWAYLAND1, 1280x720 .*, scale 1\.5, .*; this monitor's pixels are scaled", re.M)
        wait_until(lambda: listed.search(run([ctx.zynmon, "--list-monitors"], env).decode()), "XWAYLAND1 as scaled")
    finally:
        sway.swaymsg("output", "HEADLESS-2", "scale", "1")


@passes("xorg dummy")
def test_every_monitor_of_xorg_shows_its_picture_and_one_panel_drives_all(ctx):
    ctx.display.require()
    outputs = {name: name for name in XorgDummy.OUTPUTS}
    p, panel_output = start_on_every_monitor(ctx, ctx.display.env, outputs)
    expect(panel_output == XorgDummy.PRIMARY, f"the panel on {panel_output}, not on the primary output")
    walk_every_output(ctx, p, panel_output, list(outputs), DEPTH, x11_type_key(ctx.display, ctx.display.env))


@passes("xorg dummy")
def test_one_monitor_of_xorg_by_index_or_name_bad_lists_exit_2_and_a_monitor_that_leaves_closes_its_window(ctx):
    ctx.display.require()
    desktop = {o: ctx.display.screenshot(o)[1] for o in XorgDummy.OUTPUTS}
    listed = [line.split(", ")[0].split(": ")[1] for line in
              run([ctx.zynmon, "--list-monitors"], ctx.display.env).decode().splitlines()]
    for args in (("--monitor", "1"), ("--monitor", "DUMMY2")):
        target = listed[int(args[1])] if args[1].isdigit() else args[1]
        stop(expect_one_output(ctx, ctx.display.env, args, target, desktop, " ".join(args)).process)
    for value, named in (("0,0", "'0' is chosen twice"), ("0,9", "no monitor '9'"), (",", "empty entry"),
                         ("0,DUMMY1", "'DUMMY1' is chosen twice"), ("all,0", "'all' stands alone")):
        expect_exit(ctx, ctx.display.env, ["--monitor", value], 2, named)
    outputs = {name: name for name in XorgDummy.OUTPUTS}
    p, panel_output = start_on_every_monitor(ctx, ctx.display.env, outputs)
    try:
        run(["xrandr", "--output", "DUMMY2", "--off"], ctx.display.env)
        expect_a_monitor_gone(ctx, p, ["DUMMY0", "DUMMY1"], DEPTH)
    finally:
        run(["xrandr", "--output", "DUMMY2", "--mode", "1024x768", "--right-of", "DUMMY1"], ctx.display.env)


def expect_a_monitor_gone(ctx, p, remaining, bpp):
    """A monitor has left: its window closes, the program goes on, and the panel drives the others."""
    wait_until(lambda: len(ctx.display.find_windows("ZYN Monitor Test Window")) == len(remaining), "it to go")
    expect(p.process.poll() is None, f"the program ended: {p.process.returncode}")
    expect_every_output(ctx, p, State(0, 0, True), "a monitor gone: the start", remaining, bpp)
    p.do("button 3")
    expect_every_output(ctx, p, State(3, 0, True), "a monitor gone: button 3", remaining, bpp)


PASSES.append(("xorg dummy", XorgDummy, 1))


# Frames on Wayland: the program draws only into buffers sway does not read.
@passes("sway")
def test_each_frame_sway_shows_holds_one_picture_while_it_changes_quickly(ctx):
    """Picture 11 (large white and black areas) steps its variant with right clicks far faster than sway
    shows frames, while every frame sway shows with a change is captured (screencopy with damage): each
    holds one state of the picture whole outside the panel, never parts of two (a buffer drawn while
    sway reads it), and several states show."""
    sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "bench"))
    import wayland_row
    sway, output, (width, height) = ctx.display, "HEADLESS-1", (1280, 1024)
    sway.swaymsg("output", "HEADLESS-2", "position", width, 0)
    sway.swaymsg("output", output, "mode", f"{width}x{height}", "position", 0, 0, "scale", 1)
    wait_until(lambda: sway.output(output)[:4] == (0, 0, width, height), f"{output} at scale 1")
    p = Program(ctx, args=("--monitor", output, "--no-intro", "--picture", "11"), env=sway.envs["wayland"])
    rate = sway.output(output)[5]
    spot = (100, 100)  # where the clicks go; sway draws the pointer's cursor there, which no state holds

    def without_cursor(rgb):
        rgb = bytearray(rgb)
        for y in range(spot[1] - 8, spot[1] + 40):
            rgb[(y * width + spot[0] - 8) * 3:(y * width + spot[0] + 40) * 3] = bytes(48 * 3)
        return rgb
    # The variant steps with each click and the phase with the timer: four states.
    states = {(v, t): ctx.render(11, variant=v, ticks=t, size=(width, height), bpp=32, refresh=rate)
              for v in (0, 1) for t in (0, 1)}
    p.expect_screen(states[0, 0], "picture 11", output=output)
    states = {state: without_cursor(picture) for state, picture in states.items()}
    mask = p.panel_frame()
    frames, shown, failed, done = wayland_row.OutputRow(
        sway.envs["wayland"]["WAYLAND_DISPLAY"], output, width, 0, height), [], [], threading.Event()

    def capture():
        try:
            while not done.is_set():
                planes, size = frames.capture()[1], width * height
                rgb = bytearray(size * 3)
                rgb[0::3], rgb[1::3], rgb[2::3] = planes[2 * size:], planes[size:2 * size], planes[:size]
                rgb = without_cursor(rgb)
                shown.append(next((state for state, picture in states.items()
                                   if not any(differing(rgb, picture, mask, width))), None))
        except Exception as error:  # noqa: BLE001 -- reported by the test's thread
            failed.append(error)
    _, _, other_width, other_height = Sway.OUTPUTS["HEADLESS-2"]
    vp, right = 5, 0x111  # the virtual pointer's object and BTN_RIGHT

    def send(opcode, *args):
        """A virtual pointer event with its time stamp, and the frame that ends it."""
        body = struct.pack(f"<I{len(args)}I", int(time.monotonic() * 1000) & 0xFFFFFFFF, *args)
        sway.pointer.sendall(wayland_message(vp, opcode, body) + wayland_message(vp, 4))
    thread = threading.Thread(target=capture)
    thread.start()
    try:
        send(1, *spot, width + other_width, max(height, other_height))  # motion to the spot
        time.sleep(0.1)
        for _ in range(600):
            send(2, right, 1)
            send(2, right, 0)
            time.sleep(0.005)
        time.sleep(0.5)
    finally:
        done.set()
        # The capture waiting for a change gets one: a last click.
        send(2, right, 1)
        send(2, right, 0)
        thread.join(TIMEOUT)
        frames.close()
    expect(not failed, f"capturing the frames: {failed}")
    expect(None not in shown, f"frames {[i for i, state in enumerate(shown) if state is None]} of {len(shown)} "
           "mix two states of the picture")
    expect(len(shown) >= 20 and len(set(shown)) >= 2, f"only {len(shown)} frames with {set(shown)} captured")


# Window managers where the test window covers its screen only through its self-check: i3 floats a window
# of fixed size, awesome leaves it under its bar, twm has no full-screen state at all. Each: its command, the
# file in its home it reads (and what that holds), whether it speaks EWMH.
def i3_config():
    """Debian's configuration without the wizard that asks for a configuration of one's own."""
    with open("/etc/i3/config") as file:
        return "".join(line for line in file if "i3-config-wizard" not in line)


WINDOW_MANAGERS = {"i3": (["i3", "-c", "i3config"], "i3config", i3_config, True),
                   "awesome": (["awesome"], None, str, True), "twm": (["twm", "-f", "twmrc"], "twmrc", str, False)}


class Managed:
    """What a window manager of WINDOW_MANAGERS adds to a display: a home of its own (its configuration), and
    frames measured from the window tree, with the border twm and awesome draw around them."""

    home = None

    def manage(self, name):
        """The arguments of start_window_manager for it, its home made."""
        command, config_name, config, ewmh = WINDOW_MANAGERS[name]
        self.home = tempfile.mkdtemp(prefix="zynmon-wm-")
        if config_name:
            with open(os.path.join(self.home, config_name), "w") as file:
                file.write(config())
        return command, self.home, ewmh

    def close(self):
        super().close()
        self.home and shutil.rmtree(self.home, ignore_errors=True)

    def window_rects(self, window):
        return Display.window_rects(self, window, border=True)

    def frame_extents(self, window):
        """What the frame adds on each side inside its border (the managers do not all say it)."""
        (x, y, w, h), (x0, y0, x1, y1) = Display.window_rects(self, window)
        return (x - x0, x1 - x - w, y - y0, y1 - y - h)


class ManagedDisplay(Managed, Display):
    """Xvfb with a window manager of WINDOW_MANAGERS."""

    def __init__(self, name):
        super().__init__(*self.manage(name))

    def wait_for_frame(self, window):
        """The panel's frame; and as i3 takes the test window out of full screen when the panel opens, and
        the program's self-check asks again, the test window's settled place (the checks follow)."""
        super().wait_for_frame(window)
        with contextlib.suppress(Failure):
            wait_until(lambda: any(Display.window_rects(self, w)[0] == (0, 0, WIDTH, HEIGHT)
                                   for w in self.find_windows("ZYN Monitor Test Window")), "", timeout=2)


class ManagedXorg(Managed, XorgDummy):
    """Xorg's three outputs with a window manager of WINDOW_MANAGERS."""

    def __init__(self, name):
        super().__init__()
        if not self.unavailable:
            self.wm = start_window_manager(self.env, *self.manage(name))


PASSES += [(name, functools.partial(ManagedDisplay, name), 1) for name in WINDOW_MANAGERS]
PASSES += [(f"xorg {name}", functools.partial(ManagedXorg, name), 1) for name in WINDOW_MANAGERS]


@passes("i3", "awesome", "twm")
def test_the_self_check_covers_the_screen_where_the_window_manager_does_not(ctx):
    test_panel_starts_centred_its_keys_buttons_and_clicks_choose_what_shows_and_escape_ends(ctx)


@passes("xorg i3", "xorg awesome", "xorg twm")
def test_under_a_window_manager_each_monitor_shows_its_picture_and_the_panel_opens_on_its_own(ctx):
    """With the pointer on another monitor (awesome opens a window on the monitor under it) one monitor that
    is not the primary one, by index and by name, then every monitor: the panel shown again after keys in
    another monitor's window (i3 opens it on the output with the keyboard) comes back on its own."""
    ctx.display.require()
    for pointer, args, output in (((1300, 20), ("--monitor", "1"), "DUMMY0"),
                                  ((20, 20), ("--monitor", "DUMMY2"), "DUMMY2")):
        ctx.display.xdotool("mousemove", *pointer)
        p = Program(ctx, args=("--no-intro", *args))
        expect_every_output(ctx, p, State(0, 0, True), " ".join(args), [output], DEPTH, output)
        p.do("keys Escape")
        expect(p.process.wait(timeout=TIMEOUT) == 0, f"{args}: Escape, exit status {p.process.returncode}")
    test_every_monitor_of_xorg_shows_its_picture_and_one_panel_drives_all(ctx)


# weston's headless backend: a desktop with no seat (no keyboard, no pointer), as on a test rig or a kiosk.
class Weston:
    """A weston (desktop shell, pixman renderer) for Wayland clients, headless or on the backend named;
    screenshots through its screenshooter, which its debug option offers."""

    def __init__(self, backend=("--backend=headless-backend.so", f"--width={WIDTH}", f"--height={HEIGHT}"),
                 env=ENVIRONMENT):
        self.runtime = tempfile.mkdtemp(prefix="zynmon-weston-")
        os.chmod(self.runtime, 0o700)
        self.log = open(os.path.join(self.runtime, "weston.log"), "w")
        self.process = subprocess.Popen(
            ["weston", *backend, "--use-pixman", "--socket=wayland-zyn", "--debug", "--idle-time=0"],
            cwd=self.runtime, stdout=self.log, stderr=self.log, env=dict(env, XDG_RUNTIME_DIR=self.runtime))
        self.env = dict(ENVIRONMENT, GDK_BACKEND="wayland", XDG_RUNTIME_DIR=self.runtime,
                        WAYLAND_DISPLAY="wayland-zyn")
        wait_until(lambda: expect(self.process.poll() is None, "weston ended")
                   or os.path.exists(os.path.join(self.runtime, "wayland-zyn")), "weston to start")

    def close(self):
        stop(self.process)
        self.log.close()
        shutil.rmtree(self.runtime, ignore_errors=True)

    def screenshot(self, output=None):
        for old in os.listdir(self.runtime):
            if old.endswith(".png"):
                os.remove(os.path.join(self.runtime, old))
        subprocess.run(["weston-screenshooter"], env=self.env, cwd=self.runtime, capture_output=True,
                       timeout=TIMEOUT)
        shots = [name for name in os.listdir(self.runtime) if name.endswith(".png")]
        expect(shots, "weston took no screenshot")
        return WIDTH, run([CONVERT, os.path.join(self.runtime, shots[0]), "-depth", "8", "rgb:-"])


PASSES += [("weston headless", Weston, 1)]


@passes("weston headless")
def test_without_a_seat_the_picture_shows_and_sigterm_ends_the_program(ctx):
    process = start(ctx, ["--no-intro"], ctx.display.env, stderr=subprocess.PIPE)
    # The desktop shell keeps full-screen windows in a layer above the panel's, and without a seat nothing
    # activates the panel to lower the picture: the whole screen is the picture. weston's screenshot takes
    # the padding byte of the screen's pixels for alpha.
    expected = ctx.render(0, size=(WIDTH, HEIGHT), bpp=32, refresh=60)
    expect_same(lambda: (ctx.display.screenshot()[1], expected, None, WIDTH), "weston headless: picture 0")
    process.terminate()
    expect(process.wait(timeout=TIMEOUT) == 0, f"SIGTERM: exit status {process.returncode}")
    stderr = process.stderr.read().decode(errors="replace")
    # GTK's own keymap asks for the seat's keyboard; nothing else may complain.
    expect(all("gdk_seat_get_keyboard" in line for line in stderr.splitlines() if line.strip()),
           f"stderr beyond GTK's own note of the missing seat: {stderr}")


# GNOME's mutter, nested: a Wayland compositor that draws into a window filling an Xvfb, so the Xvfb's screen
# is mutter's and xdotool on the Xvfb drives mutter's seat. Its clients cannot place their windows.
class Mutter(Display):
    """mutter --nested (Wayland only) filling an Xvfb, with the session bus it needs; `wayland` is its clients'
    environment."""

    def __init__(self):
        super().__init__()
        self.runtime, self.bus = tempfile.mkdtemp(prefix="zynmon-mutter-"), None
        try:
            os.chmod(self.runtime, 0o700)
            # Its own home and settings, none of this machine's: GNOME Shell's, which attaches modal dialogs to
            # their parents (and closes an attached one whose parent goes).
            os.makedirs(os.path.join(self.runtime, "glib-2.0", "settings"))
            with open(os.path.join(self.runtime, "glib-2.0", "settings", "keyfile"), "w") as settings:
                settings.write("[org/gnome/mutter]\nattach-modal-dialogs=true\n")
            self.bus = SessionBus(dict(self.env, HOME=self.runtime, XDG_RUNTIME_DIR=self.runtime,
                                       XDG_CONFIG_HOME=self.runtime, GSETTINGS_BACKEND="keyfile"))
            self.wm = subprocess.Popen(
                ["mutter", "--nested", "--wayland", "--no-x11", "--wayland-display=wayland-zyn"], cwd=self.runtime,
                env=dict(self.bus.env, MUTTER_DEBUG_DUMMY_MODE_SPECS=f"{WIDTH}x{HEIGHT}"),
                stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
            self.wayland = dict(ENVIRONMENT, GDK_BACKEND="wayland", XDG_RUNTIME_DIR=self.runtime,
                                WAYLAND_DISPLAY="wayland-zyn")
            wait_until(lambda: expect(self.wm.poll() is None, "mutter ended") or os.path.exists(os.path.join(
                self.runtime, "wayland-zyn")) and f"{WIDTH}x{HEIGHT}+0+0" in run(["xwininfo", "-root", "-children"],
                                                                             self.env).decode(), "mutter to start")
        except BaseException:
            self.close()
            raise

    def close(self):
        super().close()
        if self.bus:
            self.bus.close()
        shutil.rmtree(self.runtime, ignore_errors=True)


PASSES += [("mutter", Mutter, 1)]


def walk_centred_panel(ctx, process, screenshot, steps):
    """Takes each step (keys, a click on the picture or on the panel's title bar; the pointer rests in the middle,
    where the panel shows) and waits for its state on the screen: the picture exact, and where the panel shows,
    the panel centred on the monitor and nothing else wrong."""
    panel, clicks = None, 0

    def act(action):
        nonlocal clicks
        verb, _, arg = (action or "").partition(" ")
        clicks += 1
        if verb in ("click", "title"):
            # Never twice on one spot (a double click); from the corner, where weston's pointer follows the X one.
            at = (20 + 40 * (clicks % 8), 20) if verb == "click" else (panel[0] + 12, panel[1] + 8)
            ctx.display.xdotool("mousemove", 0, 0, "mousemove", *at, "click", arg or 1, "mousemove", 0, 0,
                                "mousemove", WIDTH // 2, HEIGHT // 2)
        elif verb:
            ctx.display.xdotool("key", *arg.split())

    def seen(state):
        """Whether the screen shows the state; where the panel shows, its frame is where the picture differs."""
        nonlocal panel
        expect(process.poll() is None, f"it ended: {process.returncode}")
        screen = screenshot()
        found = list(differing(screen, ctx.render(state.picture, state.variant, bpp=32, refresh=60)))
        if not state.panel or not found:
            return state.panel == bool(found)
        panel = x0, y0, x1, y1 = (min(x for x, *_ in found), min(y for _, y, *_ in found),
                                  max(x for x, *_ in found) + 1, max(y for _, y, *_ in found) + 1)
        # Centred on the monitor (to a logical pixel), nothing else wrong; at least 170 x 106 dialog units of the
        # smallest base units (4 x 8); mostly the dialog's grey, so neither blank nor the picture.
        return (abs(x0 + x1 - WIDTH) <= ctx.scale and abs(y0 + y1 - HEIGHT) <= ctx.scale and x1 - x0 >= 170
                and y1 - y0 >= 106
                and 2 * grey_pixels(screen, WIDTH, x0, y0, x1, y1) >= (x1 - x0) * (y1 - y0))

    for action, *after in steps:
        act(action)
        state = State(*after)
        try:
            wait_until(lambda: seen(state), "")
        except Failure:
            raise Failure(f"after {action or 'the start'}: not {state}: the screen differs from the picture "
                          f"{f'in {panel}, not the panel centred' if panel else 'or the panel is missing'}") from None
    act("keys Escape")
    expect(process.wait(timeout=TIMEOUT) == 0, f"Escape: exit status {process.returncode}")


@passes("mutter")
def test_under_mutter_the_panel_opens_centred_above_the_exact_picture_and_keys_clicks_and_escape_work(ctx):
    d = ctx.display
    # mutter draws the pointer: it rests where the panel opens.
    d.xdotool("mousemove", WIDTH // 2, HEIGHT // 2)
    walk_centred_panel(ctx, start(ctx, ["--no-intro"], d.wayland), lambda: d.screenshot()[1], [
        (None, 0, 0, True), ("keys Down", 1, 0, True), ("keys Up", 0, 0, True), ("keys Return", 0, 0, False),
        ("click 3", 0, 1, False), ("type Right", 1, 0, False), ("type Left", 0, 0, False), ("click 3", 0, 1, False),
        ("click 1", 0, 1, True),
        # A click on the picture gives it the keyboard; the panel stays above it. A click on the panel's title
        # bar, beside its caption, gives the keyboard back to the panel.
        ("click 3", 0, 2, True), ("title", 0, 2, True), ("keys Down", 1, 0, True)])

# weston's desktop shell with a seat: its X11 backend in a window over an Xvfb screen, which xdotool drives.
class WestonDesktop(Display):
    def __init__(self, scale):
        super().__init__()
        try:
            self.weston = Weston(("--backend=x11-backend.so", f"--scale={scale}", f"--width={WIDTH // scale}",
                                  f"--height={HEIGHT // scale}"), self.env)
            self.window = wait_until(lambda: run(["xdotool", "search", "--class", "weston"], self.env,
                                                 False).split(), "weston's window")[0].decode()
        except BaseException:
            super().close()
            raise

    def close(self):
        self.weston.close()
        super().close()

    def views(self):
        """The windows weston maps, from the top down: their titles and rectangles (x0, y0, x1, y1)."""
        found = re.findall(r"(?:top-level window '([^']*)'|(cursor)).*\n.*position: \((-?\d+), (-?\d+)\) -> "
                           r"\((-?\d+), (-?\d+)\)", run(["weston-debug", "scene-graph"], self.weston.env).decode())
        return {title or cursor: tuple(map(int, rect)) for title, cursor, *rect in found}

    def point(self, x, y, scale):
        """Moves the pointer there. weston moves its own by the differences between the motions it sees, and
        its edges stop it: from the corner it goes where the X pointer goes."""
        def moved():
            self.xdotool("mousemove", 0, 0, "mousemove", x, y)
            x0, y0, x1, y1 = self.views().get("cursor", (0, 0, 0, 0))
            return x0 <= x // scale < x1 and y0 <= y // scale < y1
        wait_until(moved, "weston's pointer")


PASSES += [("weston desktop", lambda: WestonDesktop(1), 1), ("weston desktop x2", lambda: WestonDesktop(2), 2)]


@passes("weston desktop", "weston desktop x2")
def test_on_weston_the_panel_shows_centred_above_the_exact_picture_and_keys_clicks_and_escape_work(ctx):
    d = ctx.display
    # weston draws the pointer into its screenshots: it rests where the panel opens. weston lowers a full-screen
    # window while another window has the keyboard (its bar then lies over the picture): the panel lies above both.
    d.xdotool("windowfocus", "--sync", d.window)
    d.point(WIDTH // 2, HEIGHT // 2, ctx.scale)
    walk_centred_panel(ctx, start(ctx, ["--no-intro"], d.weston.env), lambda: d.weston.screenshot()[1], [
        (None, 0, 0, True), ("keys Down", 1, 0, True), ("keys Up", 0, 0, True), ("keys Return", 0, 0, False),
        ("keys Right", 1, 0, False), ("click 3", 1, 1, False), ("keys End", 12, 0, False), ("keys Escape", 12, 0, True),
        ("click 1", 12, 0, False), ("click 1", 12, 0, True), ("keys Up", 11, 0, True),
        # weston gives the keyboard to the panel clicked, and to no one once the panel has gone.
        ("title", 11, 0, True), ("keys Return", 11, 0, False), ("keys Home", 0, 0, False), ("keys Escape", 0, 0, True)])


def main():
    build_dir, wanted, failures = os.path.abspath(sys.argv[1]), set(sys.argv[2:]), 0
    with tempfile.TemporaryDirectory(prefix="zynmon-e2e-") as scratch:
        intro = os.path.join(scratch, "intro")
        os.mkdir(intro)
        shutil.copy(os.path.join(build_dir, "share", "zynlogo.dta"), intro)
        for name, make_display, scale in PASSES:
            tests = [test for test, names in TESTS
                     if name in names and (not wanted or test.__name__ in wanted)]
            with contextlib.closing(make_display()) if tests else contextlib.nullcontext() as display:
                for test in tests:
                    # A test's desktop, build, scratch directory (`intro` has the logo), renderer, programs.
                    ctx = types.SimpleNamespace(display=display, build_dir=build_dir, scratch=scratch,
                                                intro=intro, scale=scale, programs=[],
                                                zynmon=os.path.join(build_dir, "zynmon"),
                                                render=functools.partial(render, build_dir))
                    started = time.monotonic()
                    try:
                        test(ctx)
                        status = "ok"
                    except Skip as reason:
                        status = f"SKIPPED: {reason}"
                    except Exception as error:  # a broken test fails, the run goes on
                        failures += 1
                        status = f"FAIL: {error if isinstance(error, Failure) else repr(error)}"
                    finally:
                        for process in ctx.programs:
                            stop(process)
                    print(f"[{name}] {test.__name__}: {status} [{time.monotonic() - started:.1f} s]",
                          flush=True)
    print(f"e2e: {failures} failed" if failures else "e2e: all passed")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
