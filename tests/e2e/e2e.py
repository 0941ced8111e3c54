#!/usr/bin/env python3
"""End-to-end tests of the desktop program under Xvfb.

Starts the real program on a fresh Xvfb display in a scratch directory,
drives it with xdotool (keys and clicks), captures the screen and compares it
pixel for pixel with what zynmon-render draws for the same state, everywhere
outside the control panel.

    tests/e2e/e2e.py BUILD_DIR [TEST_NAME ...]
"""

import contextlib
import ctypes
import os
import shutil
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

# Panel template positions in dialog units (x, y, w, h) of the controls the tests use.
PANEL_DU = (170, 106)
PICTURE_BUTTONS = [(10 + 15 * (i % 6), 35 + 15 * (i // 6)) for i in range(13)]
CONTROLS = {
    "Rot": (120, 15, 25, 10),
    "Grün": (120, 25, 30, 10),
    "Blau": (120, 35, 30, 10),
    "Volles Bild": (50, 80, 50, 14),
}
# The window managers the tests run under, as each is started on the display.
WINDOW_MANAGERS = {
    "openbox": ["openbox", "--sm-disable"],
    "metacity": ["metacity", "--sm-disable"],
}
# Enabled guns per render option.
GUNS = {(): "none", ("Rot",): "r", ("Grün",): "g", ("Blau",): "b", ("Rot", "Blau"): "rb"}


class Failure(Exception):
    pass


def mul_div(a, b, c):
    return (a * b + c // 2) // c


def run(args, env, timeout=TIMEOUT, check=True):
    result = subprocess.run(args, env=env, capture_output=True, timeout=timeout)
    if check and result.returncode != 0:
        raise Failure(f"{' '.join(args)} failed: {result.stderr.decode(errors='replace')}")
    return result.stdout


class Display:
    """An Xvfb server on a free display number, optionally with a window manager
    (a name of WINDOW_MANAGERS)."""

    def __init__(self, window_manager=None):
        read_fd, write_fd = os.pipe()
        self.server = subprocess.Popen(
            ["Xvfb", "-displayfd", str(write_fd), "-screen", "0", f"{WIDTH}x{HEIGHT}x{DEPTH}",
             "-nolisten", "tcp", "-noreset"],
            pass_fds=(write_fd,), stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        os.close(write_fd)
        with os.fdopen(read_fd) as numbers:
            number = numbers.readline().strip()
        if not number:
            raise Failure("Xvfb did not start")
        self.env = dict(os.environ, DISPLAY=f":{number}")
        for name in ("WAYLAND_DISPLAY", "GDK_SCALE", "GDK_DPI_SCALE", "GDK_BACKEND"):
            self.env.pop(name, None)
        self.env["NO_AT_BRIDGE"] = "1"
        self.wm = None
        if window_manager:
            self.wm = subprocess.Popen(WINDOW_MANAGERS[window_manager], env=self.env,
                                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
            wait_until(lambda: b"_NET_SUPPORTING_WM_CHECK(WINDOW)" in run(
                ["xprop", "-root", "_NET_SUPPORTING_WM_CHECK"], self.env, check=False),
                f"{window_manager} to manage the screen")

    def close(self):
        for process in (self.wm, self.server):
            if process is not None:
                process.terminate()
                try:
                    process.wait(timeout=5)
                except subprocess.TimeoutExpired:
                    process.kill()

    def xdotool(self, *args):
        return run(["xdotool", *map(str, args)], self.env).decode()

    def screenshot(self, window="root"):
        """The screen, or a window's own image, as raw RGB."""
        xwd = run(["xwd", "-silent", *(["-root"] if window == "root" else ["-id", window])],
                  self.env)
        rgb = subprocess.run([CONVERT, "xwd:-", "-depth", "8", "rgb:-"], input=xwd,
                             capture_output=True, timeout=TIMEOUT, check=True).stdout
        if window == "root" and len(rgb) != WIDTH * HEIGHT * 3:
            raise Failure(f"screenshot has {len(rgb)} bytes")
        return rgb


def wait_until(condition, what, timeout=TIMEOUT):
    deadline = time.monotonic() + timeout
    while time.monotonic() < deadline:
        if condition():
            return
        time.sleep(0.05)
    raise Failure(f"timed out waiting for {what}")


class Renderer:
    """zynmon-render's screens as raw RGB, cached by state."""

    def __init__(self, build_dir, scratch):
        self.exe = os.path.join(build_dir, "zynmon-render")
        self.scratch = scratch
        self.cache = {}

    def screen(self, picture, resolution=1, guns="none", variant=0, ticks=0):
        key = (picture, resolution, guns, variant, ticks)
        if key not in self.cache:
            png = os.path.join(self.scratch, "render.png")
            subprocess.run([self.exe, "--picture", str(picture), "--size", f"{WIDTH}x{HEIGHT}",
                            "--bpp", str(DEPTH), "--resolution", str(resolution), "--guns", guns,
                            "--variant", str(variant), "--ticks", str(ticks), "--output", png],
                           check=True, timeout=TIMEOUT)
            self.cache[key] = subprocess.run([CONVERT, png, "-depth", "8", "rgb:-"],
                                             capture_output=True, check=True,
                                             timeout=TIMEOUT).stdout
        return self.cache[key]


def differences(screen, expected, mask):
    """Pixels that differ outside the mask rectangle (x0, y0, x1, y1), and the first one."""
    count, first = 0, None
    row_bytes = WIDTH * 3
    mx0, my0, mx1, my1 = mask if mask else (0, 0, 0, 0)
    for y in range(HEIGHT):
        a = screen[y * row_bytes:(y + 1) * row_bytes]
        b = expected[y * row_bytes:(y + 1) * row_bytes]
        if a == b:
            continue
        spans = [(0, WIDTH)]
        if my0 <= y < my1:
            spans = [(0, max(0, mx0)), (min(WIDTH, mx1), WIDTH)]
        for x0, x1 in spans:
            if a[x0 * 3:x1 * 3] == b[x0 * 3:x1 * 3]:
                continue
            for x in range(x0, x1):
                if a[x * 3:x * 3 + 3] != b[x * 3:x * 3 + 3]:
                    count += 1
                    first = first or (x, y, a[x * 3:x * 3 + 3].hex(), b[x * 3:x * 3 + 3].hex())
    return count, first


class Program:
    """The desktop program running on a display, and what the tests know of it."""

    def __init__(self, display, build_dir, scratch, scale=1, wait_for_panel=True):
        self.display = display
        self.scale = scale
        self.clicks = 0
        env = dict(display.env)
        if scale != 1:
            env["GDK_SCALE"] = str(scale)
        with open(os.path.join(scratch, "zynmon.log"), "w") as log:
            self.process = subprocess.Popen(
                [os.path.abspath(os.path.join(build_dir, "zynmon"))], cwd=scratch, env=env,
                stdout=subprocess.DEVNULL, stderr=log)
        self.window = self.find("ZYN Monitor Test Window")
        self.panel = None
        if wait_for_panel:
            self.wait_for_panel()

    def wait_for_panel(self, timeout=TIMEOUT):
        self.panel = self.find("ZYN Monitor Test Kontrollfeld", timeout)
        if self.display.wm is not None:
            wait_until(lambda: any(self.frame_extents(self.panel)), "the panel's frame")
        self.read_panel_geometry()

    def find(self, title, timeout=TIMEOUT):
        found = []

        def search():
            result = subprocess.run(
                ["xdotool", "search", "--onlyvisible", "--name", f"^{title}$"],
                env=self.display.env, capture_output=True, timeout=TIMEOUT)
            found[:] = result.stdout.split()
            return bool(found)
        wait_until(search, f"the window {title!r}", timeout)
        return found[0].decode()

    def geometry(self, window):
        """Absolute position and size of the window's client area."""
        values = {}
        for line in run(["xwininfo", "-id", window], self.display.env).decode().splitlines():
            key, _, value = line.strip().partition(":")
            values[key] = value.strip()
        return tuple(int(values[key]) for key in
                     ("Absolute upper-left X", "Absolute upper-left Y", "Width", "Height"))

    def frame_extents(self, window):
        """left, right, top, bottom of the window manager's frame (0 without one)."""
        out = run(["xprop", "-id", window, "_NET_FRAME_EXTENTS"], self.display.env,
                  check=False).decode()
        if "=" not in out:
            return 0, 0, 0, 0
        return tuple(int(v) for v in out.split("=")[1].split(","))

    def read_panel_geometry(self):
        x, y, w, h = self.geometry(self.panel)
        self.panel_rect = (x, y, w, h)
        s = self.scale
        # The base units that give the panel's client size from its 170 x 106 units.
        bx = [b for b in range(1, 64) if mul_div(PANEL_DU[0], b, 4) == w // s]
        by = [b for b in range(1, 64) if mul_div(PANEL_DU[1], b, 8) == h // s]
        if not bx or not by:
            raise Failure(f"panel client {w}x{h} is not 170 x 106 dialog units")
        self.base = (bx[0], by[0])

    def top_level(self, window):
        """The window, or the window manager's frame that holds it: its child of the root."""
        while True:
            tree = run(["xwininfo", "-tree", "-id", window], self.display.env).decode()
            parent = tree.split("Parent window id: ")[1].split()[0]
            if "(the root window)" in tree.split("Parent window id: ")[1].splitlines()[0]:
                return window
            window = parent

    def panel_mask(self):
        """The panel with all that the window manager draws around it."""
        self.panel_rect = self.geometry(self.panel)
        x, y, w, h = self.geometry(self.top_level(self.panel))
        return (x, y, x + w, y + h)

    def point(self, du_x, du_y, du_w, du_h, fx=0.5):
        """Screen point inside a control given in dialog units (fx across its width)."""
        bx, by = self.base
        left, top = mul_div(du_x, bx, 4), mul_div(du_y, by, 8)
        width, height = mul_div(du_w, bx, 4), mul_div(du_h, by, 8)
        x, y = self.panel_rect[0], self.panel_rect[1]
        return (x + int((left + width * fx) * self.scale), y + int((top + height / 2) * self.scale))

    def click(self, x, y, button=1):
        self.display.xdotool("mousemove", x, y, "click", button)

    def click_picture_button(self, picture):
        bx, by = self.base
        px, py = PICTURE_BUTTONS[picture]
        # The buttons are their bitmap's 18 x 18 pixels from the template position.
        x = self.panel_rect[0] + (mul_div(px, bx, 4) + 9) * self.scale
        y = self.panel_rect[1] + (mul_div(py, by, 8) + 9) * self.scale
        self.click(x, y)

    def click_control(self, name, fx=0.5):
        self.click(*self.point(*CONTROLS[name], fx=fx))

    def click_picture(self, button=1):
        """A click on the picture, away from the panel. Each click goes elsewhere,
        so that two in quick succession do not make a double click."""
        self.clicks += 1
        self.click(20 + 40 * (self.clicks % 8), 20, button)

    def keys(self, *keys):
        self.display.xdotool("windowfocus", "--sync", self.panel)
        for key in keys:
            self.display.xdotool("key", key)

    def panel_visible(self):
        result = subprocess.run(
            ["xdotool", "search", "--onlyvisible", "--name", "^ZYN Monitor Test Kontrollfeld$"],
            env=self.display.env, capture_output=True, timeout=TIMEOUT)
        return bool(result.stdout.strip())

    def panel_shown(self):
        """Pixels of the panel's client area on the screen that differ from the
        panel window's own image, and the first one."""
        x, y, w, h = self.panel_rect = self.geometry(self.panel)
        own = self.display.screenshot(self.panel)
        screen = self.display.screenshot()
        count, first = 0, None
        for row in range(h):
            start = ((y + row) * WIDTH + x) * 3
            a, b = screen[start:start + w * 3], own[row * w * 3:(row + 1) * w * 3]
            if a == b:
                continue
            for column in range(w):
                if a[column * 3:column * 3 + 3] != b[column * 3:column * 3 + 3]:
                    count += 1
                    first = first or (column, row, a[column * 3:column * 3 + 3].hex(),
                                      b[column * 3:column * 3 + 3].hex())
        return count, first

    def expect_panel_shown(self, what, timeout=TIMEOUT):
        """The screen shows the panel's own image where the panel is."""
        last = [None]

        def matches():
            last[0] = self.panel_shown()
            return last[0][0] == 0
        try:
            wait_until(matches, what, timeout)
        except Failure:
            count, first = last[0]
            raise Failure(f"{what}: {count} pixels of the panel differ on the screen, "
                          f"first at {first}") from None

    def expect_screen(self, expected, what, masked=True, timeout=TIMEOUT):
        mask = self.panel_mask() if masked else None
        last = [None]

        def matches():
            last[0] = differences(self.display.screenshot(), expected, mask)
            return last[0][0] == 0
        try:
            wait_until(matches, what, timeout)
        except Failure:
            count, first = last[0]
            raise Failure(f"{what}: {count} pixels differ, first at {first}") from None

    def wait_exit(self, what):
        try:
            return self.process.wait(timeout=TIMEOUT)
        except subprocess.TimeoutExpired:
            raise Failure(f"{what}: the program did not end") from None

    def stop(self):
        if self.process.poll() is None:
            self.process.terminate()
            try:
                self.process.wait(timeout=5)
            except subprocess.TimeoutExpired:
                self.process.kill()


@contextlib.contextmanager
def x_display(display):
    """Xlib and a connection to the display, closed again on leaving."""
    x11 = ctypes.CDLL("libX11.so.6")
    x11.XOpenDisplay.restype = ctypes.c_void_p
    x11.XOpenDisplay.argtypes = [ctypes.c_char_p]
    x11.XCloseDisplay.argtypes = [ctypes.c_void_p]
    dpy = x11.XOpenDisplay(display.env["DISPLAY"].encode())
    if not dpy:
        raise Failure("cannot open the display")
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
        x11.XInternAtom.restype = ctypes.c_ulong
        x11.XInternAtom.argtypes = [ctypes.c_void_p, ctypes.c_char_p, ctypes.c_int]
        x11.XSendEvent.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_long,
                                   ctypes.c_void_p]
        x11.XFlush.argtypes = [ctypes.c_void_p]
        event = ClientMessage()
        event.type = 33  # ClientMessage
        event.window = int(window)
        event.message_type = x11.XInternAtom(dpy, b"WM_PROTOCOLS", 0)
        event.format = 32
        event.data[0] = x11.XInternAtom(dpy, b"WM_DELETE_WINDOW", 0)
        event.data[1] = 0  # CurrentTime
        x11.XSendEvent(dpy, int(window), 0, 0, ctypes.byref(event))
        x11.XFlush(dpy)


def cursor_hidden(display):
    """Whether the pointer's current cursor image is wholly transparent (XFixes)."""

    class CursorImage(ctypes.Structure):
        _fields_ = [("x", ctypes.c_short), ("y", ctypes.c_short),
                    ("width", ctypes.c_ushort), ("height", ctypes.c_ushort),
                    ("xhot", ctypes.c_ushort), ("yhot", ctypes.c_ushort),
                    ("cursor_serial", ctypes.c_ulong), ("pixels", ctypes.POINTER(ctypes.c_ulong)),
                    ("atom", ctypes.c_ulong), ("name", ctypes.c_char_p)]

    xfixes = ctypes.CDLL("libXfixes.so.3")
    xfixes.XFixesGetCursorImage.restype = ctypes.POINTER(CursorImage)
    xfixes.XFixesGetCursorImage.argtypes = [ctypes.c_void_p]
    xfixes.XFixesQueryExtension.argtypes = [ctypes.c_void_p, ctypes.POINTER(ctypes.c_int),
                                            ctypes.POINTER(ctypes.c_int)]
    with x_display(display) as (x11, dpy):
        x11.XFree.argtypes = [ctypes.c_void_p]
        event_base, error_base = ctypes.c_int(), ctypes.c_int()
        if not xfixes.XFixesQueryExtension(dpy, ctypes.byref(event_base), ctypes.byref(error_base)):
            raise Failure("the display has no XFixes extension")
        image = xfixes.XFixesGetCursorImage(dpy)
        if not image:
            raise Failure("no cursor image")
        cursor = image.contents
        pixels = cursor.pixels[:cursor.width * cursor.height]
        x11.XFree(image)
        return all(pixel >> 24 & 0xFF == 0 for pixel in pixels)


class Context:
    """One test's display, renderer and scratch directory."""

    def __init__(self, display, renderer, build_dir, scratch, scale=1):
        self.display = display
        self.render = renderer.screen
        self.build_dir = build_dir
        self.scratch = scratch
        self.scale = scale
        self.programs = []
        self.notes = []

    def start(self, directory=None, wait_for_panel=True):
        program = Program(self.display, self.build_dir, directory or self.scratch, self.scale,
                          wait_for_panel)
        self.programs.append(program)
        return program

    def stop(self):
        for program in self.programs:
            program.stop()


def expect(condition, message):
    if not condition:
        raise Failure(message)


def test_start_shows_picture_0_and_centres_the_panel(ctx):
    p = ctx.start()
    p.expect_screen(ctx.render(0), "start screen equals picture 0")
    expect(p.geometry(p.window) == (0, 0, WIDTH, HEIGHT),
           f"test window at {p.geometry(p.window)}, not over the whole screen")
    s = p.scale
    x, y, w, h = p.panel_rect
    left, _, top, _ = p.frame_extents(p.panel)
    expected = (((WIDTH // s) >> 1) - ((w // s) >> 1), ((HEIGHT // s) >> 1) - ((h // s) >> 1))
    actual = ((x - left) // s, (y - top) // s)
    expect(actual == expected, f"panel at {actual}, centring formula gives {expected}")
    # The panel is on top: its area does not show the picture.
    count, _ = differences(ctx.display.screenshot(), ctx.render(0), None)
    expect(count > 0, "the panel is not visible above the test window")


def test_list_keys_select_pictures(ctx):
    p = ctx.start()
    for keys, picture in ((["Down"], 1), (["Down", "Down"], 3), (["Up"], 2), (["Down"] * 9, 11),
                          (["Down"], 12), (["Up"] * 12, 0)):
        p.keys(*keys)
        p.expect_screen(ctx.render(picture), f"keys {keys} show picture {picture}")


def test_picture_buttons_select_pictures(ctx):
    p = ctx.start()
    for picture in (2, 12, 5, 8, 1, 0):
        p.click_picture_button(picture)
        p.expect_screen(ctx.render(picture), f"button TP{picture + 1} shows picture {picture}")
    # A right click steps the variant; the button of the shown picture keeps it.
    p.click_picture(button=3)
    expect(ctx.render(0) != ctx.render(0, variant=1), "picture 0 has no second variant")
    p.expect_screen(ctx.render(0, variant=1), "right click shows variant 1")
    p.click_picture_button(0)
    time.sleep(0.5)
    p.expect_screen(ctx.render(0, variant=1), "button of the shown picture changes nothing")


def test_second_press_of_a_double_click_does_nothing(ctx):
    p = ctx.start()
    p.display.xdotool("mousemove", 300, 100, "click", "--repeat", 2, "--delay", 60, 3)
    p.expect_screen(ctx.render(0, variant=1), "a right double click steps the variant once")
    p.display.xdotool("mousemove", 340, 100, "click", "--repeat", 2, "--delay", 60, 1)
    wait_until(lambda: not p.panel_visible(), "a left double click to hide the panel")
    time.sleep(0.5)
    expect(not p.panel_visible(), "a left double click toggled the panel twice")


def test_full_screen_hides_panel_and_click_brings_it_back(ctx):
    p = ctx.start()
    for how, hide in (("Volles Bild", lambda: p.click_control("Volles Bild")),
                      ("Return", lambda: p.keys("Return"))):
        hide()
        wait_until(lambda: not p.panel_visible(), "the panel to hide")
        p.expect_screen(ctx.render(0), "the whole screen shows the picture", masked=False)
        p.click_picture()
        wait_until(p.panel_visible, f"a left click to show the panel again (hidden by {how})")
        wait_until(lambda: differences(ctx.display.screenshot(), ctx.render(0), None)[0] > 0,
                   "the panel to be drawn above the picture")
        p.expect_screen(ctx.render(0), "a left click does not change the picture")


def test_panel_stays_shown_above_the_picture_after_clicks(ctx):
    p = ctx.start()
    p.expect_screen(ctx.render(0), "start screen equals picture 0")
    p.expect_panel_shown("the panel at the start")
    p.click_picture(button=3)
    p.expect_screen(ctx.render(0, variant=1), "a right click shows variant 1")
    p.expect_panel_shown("the panel after a right click on the picture")
    p.click_picture_button(12)
    p.expect_screen(ctx.render(12), "button TP13 shows picture 12")
    p.expect_panel_shown("the panel after a picture button")
    p.click_picture()
    wait_until(lambda: not p.panel_visible(), "a left click to hide the panel")
    p.expect_screen(ctx.render(12), "the whole screen shows the picture", masked=False)
    p.click_picture()
    wait_until(p.panel_visible, "a left click to show the panel again")
    p.expect_screen(ctx.render(12), "picture 12 around the panel shown again")
    p.expect_panel_shown("the panel shown again by a left click")


def test_right_click_turns_picture_4_stripes(ctx):
    p = ctx.start()
    p.click_picture_button(4)
    p.expect_screen(ctx.render(4), "picture 4")
    p.click_picture(button=3)
    p.expect_screen(ctx.render(4, variant=1), "picture 4 after a right click")
    if ctx.render(4) == ctx.render(4, variant=1):
        ctx.notes.append("picture 4 draws the same in both variants here")


def test_picture_11_alternates_every_750_ms(ctx):
    p = ctx.start()
    p.click_picture_button(11)
    phases = [ctx.render(11, ticks=0), ctx.render(11, ticks=1)]
    if phases[0] == phases[1]:
        p.expect_screen(phases[0], "picture 11")
        ctx.notes.append("picture 11 draws the same in both phases here: timing not measured")
        return
    p.expect_screen(phases[0], "picture 11, first phase")
    mask = p.panel_mask()
    changes, shown = [], 0
    deadline = time.monotonic() + 4.0
    while time.monotonic() < deadline and len(changes) < 4:
        screen = ctx.display.screenshot()
        now = time.monotonic()
        for phase in (0, 1):
            if phase != shown and differences(screen, phases[phase], mask)[0] == 0:
                changes.append(now)
                shown = phase
    expect(len(changes) >= 3, f"only {len(changes)} phase changes in 4 s")
    intervals = [b - a for a, b in zip(changes, changes[1:])]
    expect(all(0.45 < t < 1.05 for t in intervals), f"phase intervals {intervals}, not 750 ms")


def test_colour_check_boxes_set_the_gun_colour(ctx):
    p = ctx.start()
    p.click_picture_button(1)
    p.expect_screen(ctx.render(1), "picture 1 in white")
    for clicks, checked in ((["Grün"], ("Grün",)), (["Grün"], ()), (["Rot", "Blau"], ("Rot", "Blau"))):
        for name in clicks:
            p.click_control(name, fx=0.3)
        p.expect_screen(ctx.render(1, guns=GUNS[checked]), f"picture 1 with guns {checked}")


def test_escape_ends_with_status_0(ctx):
    p = ctx.start()
    p.keys("Escape")
    code = p.wait_exit("Escape")
    expect(code == 0, f"exit status {code}")


def test_close_box_ends_with_status_0(ctx):
    p = ctx.start()
    if ctx.display.wm is None:
        send_delete_window(ctx.display, p.panel)
    else:
        # The close button is the rightmost of the title bar.
        x, y, w, _ = p.panel_rect
        _, right, top, _ = p.frame_extents(p.panel)
        p.click(x + w + right - top // 2, y - top // 2)
    code = p.wait_exit("the close box")
    expect(code == 0, f"exit status {code}")


def test_closing_the_test_window_ends_the_program(ctx):
    p = ctx.start()
    send_delete_window(ctx.display, p.window)
    code = p.wait_exit("closing the test window")
    expect(code == 0, f"exit status {code}")


def intro_directory(ctx):
    """A directory holding the build's logo file, where the program plays its intro."""
    directory = os.path.join(ctx.scratch, "intro")
    os.makedirs(directory, exist_ok=True)
    shutil.copy(os.path.join(ctx.build_dir, "share", LOGO_FILE), directory)
    return directory


def pixel(screen, x, y):
    offset = (y * WIDTH + x) * 3
    return screen[offset:offset + 3]


def shows_logo(screen):
    return pixel(screen, WIDTH // 2, HEIGHT // 2) == LOGO_COLOUR


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


def test_intro_zoom_then_key_ends_it_after_the_zoom(ctx):
    p = ctx.start(intro_directory(ctx), wait_for_panel=False)
    started = time.monotonic()
    p.display.xdotool("mousemove", 20, HEIGHT - 20)
    wait_until(lambda: p.panel_visible() or shows_logo(ctx.display.screenshot()),
               "the logo on the screen")
    expect(not p.panel_visible(), "the panel is up during the zoom")
    widths = []
    while time.monotonic() - started < 1.5:
        screen = ctx.display.screenshot()
        expect(shows_logo(screen), "the logo went away during the zoom")
        first, end = lit_columns(screen)
        expect(first + end == WIDTH, f"logo columns {first}..{end} are not centred")
        widths.append(end - first)
    expect(widths[-1] < FINAL_LOGO_WIDTH, f"the logo is {widths[-1]} wide after 1.5 s")
    expect(widths == sorted(widths) and widths[-1] > widths[0], f"logo widths {widths}")
    expect(not p.panel_visible(), "the panel is up during the zoom")
    expect(cursor_hidden(ctx.display), "the cursor shows during the intro")

    # No focusing first: the test window has the keyboard from its start.
    p.display.xdotool("key", "space")
    pressed = time.monotonic()
    last_logo = pressed
    while not p.panel_visible():
        expect(time.monotonic() - started < TIMEOUT, "the intro did not end after the key")
        screen = ctx.display.screenshot()
        if shows_logo(screen):
            last_logo = time.monotonic()
            first, end = lit_columns(screen)
            expect(end - first >= widths[-1], "the logo shrank after the key")
        elif p.panel_visible():
            break
        else:
            expect(last_logo - started > 3.5,
                   f"the key stopped the zoom: the logo went {last_logo - pressed:.1f} s after it")
    expect(last_logo - started > 3.5,
           f"the key stopped the zoom: the logo went {last_logo - pressed:.1f} s after it")
    ended = time.monotonic() - started
    expect(ended < 10.0, f"the panel came {ended:.1f} s after the start: the key did not end the intro")
    p.wait_for_panel()
    p.expect_screen(ctx.render(0), "picture 0 after the intro")
    expect(not cursor_hidden(ctx.display), "the cursor stays hidden after the intro")


def test_left_click_skipping_the_intro_does_not_toggle_the_panel(ctx):
    p = ctx.start(intro_directory(ctx), wait_for_panel=False)

    def full_size():
        first, end = lit_columns(ctx.display.screenshot())
        return end - first == FINAL_LOGO_WIDTH
    wait_until(full_size, "the logo at its full size")
    # Past the zoom, in the hold after it or the title's fade.
    time.sleep(0.3)
    expect(not p.panel_visible(), "the panel is up during the intro")
    p.click(20, HEIGHT - 20)
    clicked = time.monotonic()
    p.wait_for_panel(timeout=5.0)
    expect(time.monotonic() - clicked < 3.0, "the click did not end the intro")
    p.expect_screen(ctx.render(0), "picture 0 after the intro")
    time.sleep(0.5)
    expect(p.panel_visible(), "the click that ended the intro hid the panel")


def test_panel_dialog_controls(ctx):
    exe = os.path.join(ctx.build_dir, "tests", "test_panel_gui")
    result = subprocess.run([exe], env=ctx.display.env, capture_output=True, timeout=60)
    if result.returncode != 0:
        raise Failure("test_panel_gui failed:\n" + result.stdout.decode(errors="replace"))


PASSES = [
    ("plain", dict(), [
        test_start_shows_picture_0_and_centres_the_panel,
        test_list_keys_select_pictures,
        test_picture_buttons_select_pictures,
        test_second_press_of_a_double_click_does_nothing,
        test_full_screen_hides_panel_and_click_brings_it_back,
        test_panel_stays_shown_above_the_picture_after_clicks,
        test_right_click_turns_picture_4_stripes,
        test_picture_11_alternates_every_750_ms,
        test_colour_check_boxes_set_the_gun_colour,
        test_escape_ends_with_status_0,
        test_close_box_ends_with_status_0,
        test_closing_the_test_window_ends_the_program,
        test_panel_dialog_controls,
        test_intro_zoom_then_key_ends_it_after_the_zoom,
        test_left_click_skipping_the_intro_does_not_toggle_the_panel,
    ]),
    ("scaled x2", dict(scale=2), [
        test_start_shows_picture_0_and_centres_the_panel,
        test_picture_buttons_select_pictures,
        test_full_screen_hides_panel_and_click_brings_it_back,
        test_intro_zoom_then_key_ends_it_after_the_zoom,
    ]),
    ("openbox", dict(window_manager="openbox"), [
        test_start_shows_picture_0_and_centres_the_panel,
        test_panel_stays_shown_above_the_picture_after_clicks,
        test_picture_buttons_select_pictures,
        test_full_screen_hides_panel_and_click_brings_it_back,
        test_escape_ends_with_status_0,
        test_close_box_ends_with_status_0,
        test_intro_zoom_then_key_ends_it_after_the_zoom,
    ]),
    ("metacity", dict(window_manager="metacity"), [
        test_start_shows_picture_0_and_centres_the_panel,
        test_panel_stays_shown_above_the_picture_after_clicks,
    ]),
]


def main():
    if len(sys.argv) < 2:
        print(__doc__.strip().splitlines()[-1].strip(), file=sys.stderr)
        return 2
    build_dir = sys.argv[1]
    wanted = set(sys.argv[2:])
    failures = 0
    scratch = tempfile.mkdtemp(prefix="zynmon-e2e-")
    renderer = Renderer(build_dir, scratch)
    try:
        for name, options, tests in PASSES:
            tests = [t for t in tests if not wanted or t.__name__ in wanted]
            if not tests:
                continue
            display = Display(window_manager=options.get("window_manager"))
            try:
                for test in tests:
                    ctx = Context(display, renderer, build_dir, scratch, options.get("scale", 1))
                    started = time.monotonic()
                    try:
                        test(ctx)
                        status = "ok"
                    except (Failure, subprocess.SubprocessError) as error:
                        status = f"FAIL: {error}"
                        failures += 1
                    finally:
                        ctx.stop()
                    notes = "".join(f" ({note})" for note in ctx.notes)
                    print(f"[{name}] {test.__name__}: {status}{notes} "
                          f"[{time.monotonic() - started:.1f} s]", flush=True)
            finally:
                display.close()
    finally:
        shutil.rmtree(scratch, ignore_errors=True)
    print(f"e2e: {failures} failed" if failures else "e2e: all passed")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
