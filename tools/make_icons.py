#!/usr/bin/env python3
# SPDX-License-Identifier: MIT
"""Draws the program's icon: the composite test card on a monitor's screen.

Writes OUTDIR/NxN/zynmon.png for each size of the hicolor theme and
OUTDIR/scalable/zynmon.svg. Each size is laid out for itself on whole pixels,
so that edges stay sharp: the smallest sizes keep only the colour bars and the
grey ramp, the middle ones add a coarse grid and the circle, the large ones
the full grid and the corner circles. The icon holds no text, which no size
could show whole. Standard library only; the same bytes on every run.
    tools/make_icons.py OUTDIR
"""

import math
import os
import struct
import sys
import zlib

SIZES = (16, 22, 24, 32, 48, 64, 128, 256, 512)
SVG_SIZE = 512  # the scalable icon is the largest layout

BEZEL = (0x30, 0x30, 0x34)
SCREEN = (0x00, 0x00, 0x00)
GRID = (0xA0, 0xA0, 0xA0)
WHITE = (0xFF, 0xFF, 0xFF)
# The test card's colour bars, left to right.
BARS = ((0xFF, 0, 0), (0, 0, 0xFF), (0, 0xFF, 0), (0, 0xFF, 0xFF), (0xFF, 0xFF, 0),
        (0xFF, 0, 0xFF), WHITE)
RAMP = tuple((v, v, v) for v in (0x24, 0x48, 0x6C, 0x90, 0xB4, 0xD8, 0xFF))


class Rect:
    """An axis-aligned rectangle, its corners rounded by radius."""

    def __init__(self, x0, y0, x1, y1, colour, radius=0):
        self.box = (x0, y0, x1, y1)
        self.colour = colour
        self.radius = radius

    def distance(self, x, y):
        x0, y0, x1, y1 = self.box
        r = self.radius
        dx = abs(x - (x0 + x1) / 2) - ((x1 - x0) / 2 - r)
        dy = abs(y - (y0 + y1) / 2) - ((y1 - y0) / 2 - r)
        outside = math.hypot(max(dx, 0), max(dy, 0))
        return outside + min(max(dx, dy), 0) - r

    def svg(self):
        x0, y0, x1, y1 = self.box
        rounded = f' rx="{self.radius}"' if self.radius else ""
        return (f'<rect x="{x0}" y="{y0}" width="{x1 - x0}" height="{y1 - y0}"{rounded} '
                f'fill="{hex_colour(self.colour)}"/>')


class Ring:
    """A circle's outline, width pixels wide, centred on the radius."""

    def __init__(self, cx, cy, radius, width, colour):
        self.centre = (cx, cy)
        self.r = radius
        self.width = width
        self.colour = colour
        reach = radius + width
        self.box = (cx - reach, cy - reach, cx + reach, cy + reach)

    def distance(self, x, y):
        cx, cy = self.centre
        return abs(math.hypot(x - cx, y - cy) - self.r) - self.width / 2

    def svg(self):
        cx, cy = self.centre
        return (f'<circle cx="{cx}" cy="{cy}" r="{self.r}" fill="none" '
                f'stroke="{hex_colour(self.colour)}" stroke-width="{self.width}"/>')


def hex_colour(colour):
    return "#%02x%02x%02x" % colour


def bands(start, end, count):
    """Splits start..end into count whole-pixel bands, as even as they come."""
    edges = [start + round(i * (end - start) / count) for i in range(count + 1)]
    return list(zip(edges, edges[1:]))


def layout(size):
    """The frame (bezel), the screen (which clips the rest) and what the screen shows."""
    margin = round(size / 32)
    bezel = max(1, round(size / 16))
    radius = max(1, round(size / 8))
    frame = Rect(margin, margin, size - margin, size - margin, BEZEL, radius)
    x0 = y0 = margin + bezel
    x1 = y1 = size - margin - bezel
    screen = Rect(x0, y0, x1, y1, SCREEN, max(0, radius - bezel))
    w = x1 - x0
    line = max(1, round(size / 256))
    shapes = []

    if size >= 48:
        cells = 4 if size < 128 else 8
        for a, _ in bands(x0, x1, cells)[1:]:
            shapes.append(Rect(a - line // 2, y0, a - line // 2 + line, y1, GRID))
            shapes.append(Rect(x0, a - line // 2, x1, a - line // 2 + line, GRID))
    if size >= 32:
        centre = (x0 + x1) / 2
        shapes.append(Ring(centre, centre, round(w * 0.42), line, WHITE))
    if size >= 128:
        step = w / 8
        for cx in (x0 + step, x1 - step):
            for cy in (y0 + step, y1 - step):
                shapes.append(Ring(cx, cy, round(step * 0.75), line, WHITE))

    inset = 0 if size < 32 else round(w * 0.14)
    top = round(w * (0.14 if size < 32 else 0.12))
    bar_rows = (y0 + top, y0 + round(w * 0.46))
    ramp_rows = (y0 + round(w * 0.58), y1 - top)
    for (a, b), colour in zip(bands(x0 + inset, x1 - inset, len(BARS)), BARS):
        shapes.append(Rect(a, bar_rows[0], b, bar_rows[1], colour))
    for (a, b), colour in zip(bands(x0 + inset, x1 - inset, len(RAMP)), RAMP):
        shapes.append(Rect(a, ramp_rows[0], b, ramp_rows[1], colour))
    return frame, screen, shapes


def coverage(shape, x, y):
    """The share of the pixel whose centre is x, y that the shape covers."""
    return min(max(0.5 - shape.distance(x, y), 0.0), 1.0)


def rasterize(size):
    frame, screen, shapes = layout(size)
    pixels = [[0.0, 0.0, 0.0, 0.0] for _ in range(size * size)]

    def paint(shape, clip):
        bx0, by0, bx1, by1 = shape.box
        for y in range(max(0, math.floor(by0) - 1), min(size, math.ceil(by1) + 1)):
            for x in range(max(0, math.floor(bx0) - 1), min(size, math.ceil(bx1) + 1)):
                a = coverage(shape, x + 0.5, y + 0.5)
                if clip is not None and a > 0:
                    a *= coverage(clip, x + 0.5, y + 0.5)
                if a <= 0:
                    continue
                p = pixels[y * size + x]
                # Source over, on premultiplied values.
                for i in range(3):
                    p[i] = shape.colour[i] / 255 * a + p[i] * (1 - a)
                p[3] = a + p[3] * (1 - a)

    paint(frame, None)
    paint(screen, frame)
    for shape in shapes:
        paint(shape, screen)
    rows = bytearray()
    for y in range(size):
        rows.append(0)  # no filter
        for p in pixels[y * size:(y + 1) * size]:
            alpha = p[3]
            rgb = [round(c / alpha * 255) if alpha else 0 for c in p[:3]]
            rows.extend(rgb + [round(alpha * 255)])
    return bytes(rows)


def png(size, rows):
    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body))

    header = struct.pack(">IIBBBBB", size, size, 8, 6, 0, 0, 0)  # 8-bit RGBA
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) +
            chunk(b"IDAT", zlib.compress(rows, 9)) + chunk(b"IEND", b""))


def svg():
    frame, screen, shapes = layout(SVG_SIZE)
    inner = "\n    ".join(shape.svg() for shape in [screen] + shapes)
    x0, y0, x1, y1 = screen.box
    return f"""<?xml version="1.0" encoding="UTF-8"?>
<svg xmlns="http://www.w3.org/2000/svg" width="{SVG_SIZE}" height="{SVG_SIZE}" viewBox="0 0 {SVG_SIZE} {SVG_SIZE}">
  <title>ZYN Monitor Test</title>
  <defs>
    <clipPath id="screen">
      <rect x="{x0}" y="{y0}" width="{x1 - x0}" height="{y1 - y0}" rx="{screen.radius}"/>
    </clipPath>
  </defs>
  {frame.svg()}
  <g clip-path="url(#screen)">
    {inner}
  </g>
</svg>
"""


def write(path, data):
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "wb") as out:
        out.write(data)


def main():
    if len(sys.argv) != 2:
        sys.exit("usage: make_icons.py OUTDIR")
    out = sys.argv[1]
    for size in SIZES:
        write(os.path.join(out, f"{size}x{size}", "zynmon.png"), png(size, rasterize(size)))
    write(os.path.join(out, "scalable", "zynmon.svg"), svg().encode())


if __name__ == "__main__":
    main()
