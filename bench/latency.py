#!/usr/bin/env python3
# SPDX-License-Identifier: MIT
"""Key-to-screen latency of the desktop program under Xvfb or on a headless sway.

Starts the program (without its intro) on a fresh Xvfb screen of the given
size, focuses the panel's picture list and switches between pictures 0 and 1
with Down and Up, sent through XTest. After each key it polls one screen row
that differs between the two pictures (XGetImage) until the row shows the new
picture, and prints the median and the maximum time from key to screen.

    bench/latency.py BUILD_DIR [WIDTHxHEIGHT ...] [--switches N] [--profile DIR] [--wayland]

--wayland runs the program as a Wayland client of a headless sway whose first
output has the size, clicks the panel's buttons of pictures 1 and 0 through
sway's virtual pointer and reads the row from the frames sway shows
(screencopy): the time to screen is the time sway showed the first frame
holding the new picture, so it includes the wait for the output's next frame.

Beside each switch it measures the floor (FrameFloor): a frame's bytes written once and copied once,
one after the other and at once on two cores, and gives key to screen in floors.

--profile DIR records the program and the display server with `perf record -g`
during the switches (DIR/zynmon.data, DIR/xvfb.data or DIR/sway.data) and
prints the CPU time each of them spent per switch.
"""

import argparse
import ctypes
import os
import shutil
import signal
import statistics
import subprocess
import sys
import tempfile
import threading
import time
import types

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tests", "e2e"))
import e2e  # noqa: E402
import wayland_row  # noqa: E402

KEYS = ("Down", "Up")
PICTURES = (1, 0)  # what each key of KEYS shows, starting from picture 0
SETTLE = 0.25  # seconds between switches, so that each one starts from a quiet program
TIMEOUT = 5.0
POLL_PAUSE = 0.0005


class XImage(ctypes.Structure):
    pass


# Xlib's XImage up to its destroy function (XDestroyImage is a macro calling it).
XImage._fields_ = [
    ("width", ctypes.c_int), ("height", ctypes.c_int), ("xoffset", ctypes.c_int),
    ("format", ctypes.c_int), ("data", ctypes.c_void_p), ("byte_order", ctypes.c_int),
    ("bitmap_unit", ctypes.c_int), ("bitmap_bit_order", ctypes.c_int),
    ("bitmap_pad", ctypes.c_int), ("depth", ctypes.c_int), ("bytes_per_line", ctypes.c_int),
    ("bits_per_pixel", ctypes.c_int), ("red_mask", ctypes.c_ulong),
    ("green_mask", ctypes.c_ulong), ("blue_mask", ctypes.c_ulong), ("obdata", ctypes.c_void_p),
    ("create_image", ctypes.c_void_p),
    ("destroy_image", ctypes.CFUNCTYPE(ctypes.c_int, ctypes.POINTER(XImage)))]


class XRow:
    """One screen row read with XGetImage, and keys sent with XTest."""

    def __init__(self, display_name, width, y):
        self.x11 = ctypes.CDLL("libX11.so.6")
        self.xtst = ctypes.CDLL("libXtst.so.6")
        x11 = self.x11
        x11.XOpenDisplay.restype = ctypes.c_void_p
        x11.XOpenDisplay.argtypes = [ctypes.c_char_p]
        x11.XDefaultRootWindow.restype = ctypes.c_ulong
        x11.XDefaultRootWindow.argtypes = [ctypes.c_void_p]
        x11.XGetImage.restype = ctypes.POINTER(XImage)
        x11.XGetImage.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_int,
                                  ctypes.c_uint, ctypes.c_uint, ctypes.c_ulong, ctypes.c_int]
        x11.XKeysymToKeycode.restype = ctypes.c_ubyte
        x11.XKeysymToKeycode.argtypes = [ctypes.c_void_p, ctypes.c_ulong]
        x11.XStringToKeysym.restype = ctypes.c_ulong
        x11.XStringToKeysym.argtypes = [ctypes.c_char_p]
        x11.XFlush.argtypes = [ctypes.c_void_p]
        x11.XCloseDisplay.argtypes = [ctypes.c_void_p]
        self.xtst.XTestFakeKeyEvent.argtypes = [ctypes.c_void_p, ctypes.c_uint, ctypes.c_int,
                                                ctypes.c_ulong]
        self.dpy = x11.XOpenDisplay(display_name.encode())
        if not self.dpy:
            raise e2e.Failure("cannot open the display")
        self.root = x11.XDefaultRootWindow(self.dpy)
        self.width = width
        self.y = y

    def close(self):
        self.x11.XCloseDisplay(self.dpy)

    def key(self, name):
        code = self.x11.XKeysymToKeycode(self.dpy, self.x11.XStringToKeysym(name.encode()))
        self.xtst.XTestFakeKeyEvent(self.dpy, code, 1, 0)
        self.xtst.XTestFakeKeyEvent(self.dpy, code, 0, 0)
        self.x11.XFlush(self.dpy)

    def read(self):
        """The row as its B, G and R planes (the server's 32-bit ZPixmap without its pad)."""
        all_planes, z_pixmap = 0xFFFFFFFF, 2
        image = self.x11.XGetImage(self.dpy, self.root, 0, self.y, self.width, 1, all_planes,
                                   z_pixmap)
        if not image:
            raise e2e.Failure("XGetImage failed")
        contents = image.contents
        try:
            if contents.bits_per_pixel != 32:
                raise e2e.Failure(f"the screen has {contents.bits_per_pixel} bits per pixel")
            raw = ctypes.string_at(contents.data, self.width * 4)
        finally:
            contents.destroy_image(image)
        return raw[0::4] + raw[1::4] + raw[2::4]


def bgr_planes(rgb_row):
    return rgb_row[2::3] + rgb_row[1::3] + rgb_row[0::3]


def differing_row(a, b, width, height):
    """The lowest row in which two RGB screens differ (below the centred panel)."""
    row_bytes = width * 3
    for y in range(height - 1, -1, -1):
        if a[y * row_bytes:(y + 1) * row_bytes] != b[y * row_bytes:(y + 1) * row_bytes]:
            return y
    raise e2e.Failure("pictures 0 and 1 are the same")


def peak_memory_mb(pid):
    """The most resident memory a process has held so far (VmHWM), shared memory it touched included."""
    with open(f"/proc/{pid}/status") as status:
        kb = next(int(line.split()[1]) for line in status if line.startswith("VmHWM:"))
    return kb / 1024.0


def weigh_priority_across_sessions():
    """Where the kernel groups each session's processes (autogroup), a nice value counts only against the
    session's own processes: the benchmark takes a session of its own and gives it its nice value."""
    niceness = os.nice(0)
    if niceness >= 0 or not os.path.exists("/proc/self/autogroup"):
        return
    try:
        os.setsid()
        with open("/proc/self/autogroup", "w") as autogroup:
            autogroup.write(str(niceness))
    except OSError as error:
        print(f"(the priority counts within this session only: {error})", file=sys.stderr)


def cpu_seconds(pid):
    """User and system CPU time of a process so far."""
    with open(f"/proc/{pid}/stat") as stat:
        fields = stat.read().rsplit(")", 1)[1].split()
    return (int(fields[11]) + int(fields[12])) / os.sysconf("SC_CLK_TCK")


class Screen:
    """A display server with the program on it, the row read from its screen and the processes whose
    CPU time counts (`pids`); subclasses start the program and the row in `start`."""

    def __init__(self, display, context, width, height, y):
        self.display = context.display = display
        self.program = self.row = None
        try:
            self.start(context, width, height, y)
        except BaseException:
            self.close()
            raise

    def close(self):
        if self.row is not None:
            self.row.close()
        if self.program is not None:
            e2e.stop(self.program.process)
        self.display.close()


class XvfbScreen(Screen):
    """The program alone on a fresh Xvfb screen; keys go to its panel's picture list through XTest."""

    def __init__(self, context, width, height, y):
        e2e.WIDTH, e2e.HEIGHT = width, height
        super().__init__(e2e.Display(), context, width, height, y)

    def start(self, context, width, _height, y):
        self.program = e2e.Program(context)
        self.row = XRow(self.display.env["DISPLAY"], width, y)
        self.display.xdotool("windowfocus", "--sync", self.program.panel)
        self.pids = {"zynmon": self.program.process.pid, "xvfb": self.display.server.pid}

    def switch(self, picture):
        """Shows the picture; the time just before the input was sent (a time taken after it would
        leave out any wait of the bench itself between sending and reading the clock)."""
        sent = time.monotonic()
        self.row.key(KEYS[PICTURES.index(picture)])
        return sent

    def read(self):
        """The row as its B, G and R planes, and the time its reading ended: the server answers a read
        only after the requests before it, a copy of the picture among them, so a time taken before
        the read would count a copy still running as done."""
        row = self.row.read()
        return time.monotonic(), row


class SwayScreen(Screen):
    """The program as a Wayland client of a headless sway, full screen on an output of the size;
    clicks on its panel's picture buttons through the virtual pointer; the row read from the frames
    sway shows, each with the time it was shown."""

    OUTPUT = "HEADLESS-1"

    def __init__(self, context, width, height, y):
        super().__init__(e2e.Sway(), context, width, height, y)

    def start(self, context, width, height, y):
        sway = self.display
        # The other output right of this one, so that the layout stays one rectangle.
        sway.swaymsg("output", "HEADLESS-2", "position", str(width), "0")
        sway.swaymsg("output", self.OUTPUT, "mode", f"{width}x{height}", "position", "0", "0", "scale", "1")
        e2e.wait_until(lambda: sway.output(self.OUTPUT)[:4] == (0, 0, width, height),
                       f"{self.OUTPUT} at {width}x{height}")
        self.program = e2e.Program(context, args=("--monitor", self.OUTPUT, "--no-intro"),
                                   env=sway.envs["wayland"])
        _, _, other_width, other_height = e2e.Sway.OUTPUTS["HEADLESS-2"]
        self.extent = (width + other_width, max(height, other_height))
        # Where the program's helper would click each picture's button.
        self.spots = []
        sway.click = lambda x, y, button=1: self.spots.append((x, y))
        for picture in PICTURES:
            self.program.do(f"button {picture}")
        del sway.click
        self.row = wayland_row.OutputRow(sway.envs["wayland"]["WAYLAND_DISPLAY"], self.OUTPUT, width, y)
        self.pids = {"zynmon": self.program.process.pid, "sway": sway.process.pid}

    def switch(self, picture):
        return wayland_row.click(self.display.pointer, *self.spots[PICTURES.index(picture)], self.extent)

    def read(self):
        return self.row.capture()


class FrameFloor:
    """The machine's own least time for a new frame to reach a screen whose server copies it: the
    program writes the frame's bytes once (the C library's memset) and the server copies them once
    (memmove), one after the other, and at the same time on two threads, the best that any overlap of
    drawing and copying can reach. No drawing, event or request is in it."""

    def __init__(self, width, height):
        self.libc = ctypes.CDLL(None)
        self.libc.memset.argtypes = [ctypes.c_void_p, ctypes.c_int, ctypes.c_size_t]
        self.libc.memmove.argtypes = [ctypes.c_void_p, ctypes.c_void_p, ctypes.c_size_t]
        self.size = width * height * 4
        # Three stores: the program's, the server's copy of the screen, and the frame the server copies
        # while the program writes the next one.
        self.store, self.screen, self.shown = (ctypes.create_string_buffer(self.size) for _ in range(3))
        self.one_after_other, self.at_once = [], []

    def measure(self, value):
        start = time.monotonic()
        self.libc.memset(self.store, value, self.size)
        self.libc.memmove(self.screen, self.store, self.size)
        self.one_after_other.append((time.monotonic() - start) * 1000.0)
        # ctypes lets go of the interpreter's lock during a call, so the two run on two cores.
        copy = threading.Thread(target=self.libc.memmove, args=(self.screen, self.shown, self.size))
        start = time.monotonic()
        copy.start()
        self.libc.memset(self.store, value, self.size)
        copy.join()
        self.at_once.append((time.monotonic() - start) * 1000.0)


def measure(build_dir, width, height, switches, profile, screen_type):
    build_dir = os.path.abspath(build_dir)  # the program runs in a scratch directory
    scratch = tempfile.mkdtemp(prefix="zynmon-latency-")
    screen = perf = None
    try:
        screens = [e2e.render(build_dir, picture, size=(width, height)) for picture in (0, 1)]
        y = differing_row(screens[0], screens[1], width, height)
        row_bytes = width * 3
        rows = {p: bgr_planes(screens[p][y * row_bytes:(y + 1) * row_bytes]) for p in (0, 1)}

        context = types.SimpleNamespace(display=None, scale=1, render=None, build_dir=build_dir,
                                        zynmon=os.path.join(build_dir, "zynmon"), scratch=scratch,
                                        programs=[])
        screen = screen_type(context, width, height, y)
        e2e.wait_until(lambda: screen.read()[1] == rows[0], "picture 0 on the screen")
        time.sleep(SETTLE)
        if profile:
            os.makedirs(profile, exist_ok=True)
            perf = [subprocess.Popen(
                ["perf", "record", "-q", "-g", "-p", str(pid), "-o", os.path.join(profile, f"{name}.data")],
                stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
                for name, pid in screen.pids.items()]
            time.sleep(1.0)
        cpu_before = {name: cpu_seconds(pid) for name, pid in screen.pids.items()}
        times = []
        floor = FrameFloor(width, height)
        for i in range(switches):
            picture = PICTURES[i % 2]
            sent = screen.switch(picture)
            while True:
                seen, row = screen.read()
                if row == rows[picture]:
                    break
                if seen - sent > TIMEOUT:
                    raise e2e.Failure(f"picture {picture} did not show")
                # Leaves the two cores to the program and the server.
                time.sleep(POLL_PAUSE)
            times.append((seen - sent) * 1000.0)
            # Beside each switch, so that both see the same load and clock, and before the pause, so
            # that the next switch starts from a quiet machine.
            floor.measure(i)
            time.sleep(SETTLE)
        cpu = {name: (cpu_seconds(pid) - cpu_before[name]) * 1000.0 / switches
               for name, pid in screen.pids.items()}
        peak = peak_memory_mb(screen.pids["zynmon"])
    finally:
        for process in perf or ():
            process.send_signal(signal.SIGINT)
            process.wait(timeout=60)
        if screen is not None:
            screen.close()
        shutil.rmtree(scratch, ignore_errors=True)
    return times, cpu, y, peak, floor


def main():
    parser = argparse.ArgumentParser(description=__doc__.strip().splitlines()[0])
    parser.add_argument("build_dir")
    parser.add_argument("sizes", nargs="*", default=["1920x1080", "3840x2160"])
    parser.add_argument("--switches", type=int, default=16)
    parser.add_argument("--profile", metavar="DIR")
    parser.add_argument("--wayland", action="store_true")
    args = parser.parse_args()
    screen_type = SwayScreen if args.wayland else XvfbScreen
    weigh_priority_across_sessions()
    for size in args.sizes:
        width, height = (int(v) for v in size.split("x"))
        profile = os.path.join(args.profile, size) if args.profile else None
        times, cpu, y, peak, floor = measure(args.build_dir, width, height, args.switches, profile, screen_type)
        print(f"{size}: key to screen median {statistics.median(times):.1f} ms, "
              f"max {max(times):.1f} ms over {len(times)} switches (row {y}); CPU per switch: "
              + ", ".join(f"{name} {ms:.1f} ms" for name, ms in cpu.items()), flush=True)
        print("  " + " ".join(f"{t:.1f}" for t in times), flush=True)
        print(f"  peak memory of the program: {peak:.0f} MB", flush=True)
        print(f"  floor: a frame written and copied once {statistics.median(floor.one_after_other):.1f} ms "
              f"one after the other, {statistics.median(floor.at_once):.1f} ms at once on two cores "
              f"(medians beside the switches); key to screen is "
              f"{statistics.median(times) / statistics.median(floor.at_once):.2f} floors", flush=True)
    return 0


if __name__ == "__main__":
    sys.exit(main())
