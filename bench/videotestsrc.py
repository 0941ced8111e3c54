#!/usr/bin/env python3
# SPDX-License-Identifier: MIT
"""Our pictures side by side with GStreamer's videotestsrc making the same kind of frame.

    nice -n -15 bench/videotestsrc.py BUILD_DIR [WIDTHxHEIGHT] [--rounds R] [--frames N]

For each pair (checkerboard, gradient, colour bars, solid field) it runs the
headless renderer (`zynmon-render --repeat`) and `gst-launch-1.0 videotestsrc
... ! video/x-raw,format=BGRx,... ! fakesink` with N and with N / 10 frames,
and takes the time per frame as the difference of the two runs' times over
the difference of their frame counts: start-up, caps negotiation and our one
PNG at the end cancel out. The time is CPU time (user and system, all
threads), which other programs on a busy machine change less than wall time.
Both make frames of the same size and the same 32-bit layout (our XRGB pixel
store is BGRx in memory) in memory that nobody shows, each on one core. The
rounds alternate between the two programs, so that both see the same load;
each figure is the median of the rounds. GStreamer comes from
gstreamer1.0-tools and gstreamer1.0-plugins-base (scripts/setup.sh installs
them).
"""

import argparse
import os
import shutil
import statistics
import subprocess
import sys
import resource
import tempfile

# Our picture, its resolution level and variant, and the videotestsrc pattern
# that makes the same kind of frame.
PAIRS = (
    ("checkerboard", 6, 2, 0, "checkers-1"),  # "Moire", "Hoch": the one-pixel checkerboard
    ("gradient", 7, 1, 0, "gradient"),  # "Farbverläufe"
    ("colour bars", 8, 1, 0, "smpte100"),  # "Farbe": full-intensity bars
    ("solid field", 9, 1, 0, "white"),  # "Helligkeitsverteilung", no gun chosen: white
)


def cpu_seconds(command):
    before = resource.getrusage(resource.RUSAGE_CHILDREN)
    subprocess.run(command, check=True, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    after = resource.getrusage(resource.RUSAGE_CHILDREN)
    return (after.ru_utime - before.ru_utime) + (after.ru_stime - before.ru_stime)


def per_frame(command_for, few, many):
    """Seconds per frame: the extra time of `many` frames over `few`."""
    return (cpu_seconds(command_for(many)) - cpu_seconds(command_for(few))) / (many - few)


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("build")
    parser.add_argument("size", nargs="?", default="3840x2160")
    parser.add_argument("--rounds", type=int, default=5)
    parser.add_argument("--frames", type=int, default=200, help="frames of the long runs")
    args = parser.parse_args()
    width, height = (int(side) for side in args.size.split("x"))
    render = os.path.join(args.build, "zynmon-render")
    gst = shutil.which("gst-launch-1.0")
    if not os.access(render, os.X_OK):
        sys.exit(f"{render} is missing: build first (scripts/setup.sh)")
    if gst is None:
        sys.exit("gst-launch-1.0 is missing: run scripts/setup.sh as root to install GStreamer")
    few, many = max(1, args.frames // 10), args.frames

    with tempfile.TemporaryDirectory() as scratch:
        png = os.path.join(scratch, "frame.png")

        def ours(picture, level, variant):
            return lambda frames: [render, "--picture", str(picture), "--size", args.size,
                                   "--resolution", str(level), "--variant", str(variant),
                                   "--repeat", str(frames), "--output", png]

        def theirs(pattern):
            return lambda frames: [gst, "-q", "videotestsrc", f"pattern={pattern}",
                                   f"num-buffers={frames}", "!",
                                   f"video/x-raw,format=BGRx,width={width},height={height}", "!",
                                   "fakesink"]

        print(f"{args.size}, CPU ms per frame, median of {args.rounds} rounds "
              f"({many} against {few} frames)")
        print(f"{'frame':<14}{'ours':>8}  {'videotestsrc':<22}{'theirs':>8}{'ours/theirs':>13}")
        for name, picture, level, variant, pattern in PAIRS:
            our_times, their_times = [], []
            for _ in range(args.rounds):
                our_times.append(per_frame(ours(picture, level, variant), few, many))
                their_times.append(per_frame(theirs(pattern), few, many))
            our = statistics.median(our_times) * 1000
            their = statistics.median(their_times) * 1000
            print(f"{name:<14}{our:8.2f}  {pattern:<22}{their:8.2f}{our / their:13.2f}")


if __name__ == "__main__":
    main()
