#!/usr/bin/env python3
# SPDX-License-Identifier: MIT
"""Writes the 39 picture-button bitmaps of the control panel as XPM files.

Each bitmap is 18 x 18 pixels in the 16 VGA colours: a miniature of its
picture (14 x 14) on a grey three-dimensional frame, raised for "U", pressed
for "D" (the miniature moves one pixel right and down) and with a yellow inner
frame for "F". Run from the project root:  tools/make_button_bitmaps.py
"""

import math
import os

SIZE = 18
INNER = 14  # the miniature, inside a two-pixel frame

# The 16 VGA colours; the XPM character of colour i is the hex digit i.
PALETTE = [
    "#000000", "#800000", "#008000", "#808000", "#000080", "#800080", "#008080", "#C0C0C0",
    "#808080", "#FF0000", "#00FF00", "#FFFF00", "#0000FF", "#FF00FF", "#00FFFF", "#FFFFFF",
]
BLACK, MAROON, DGREEN, OLIVE, NAVY, PURPLE, TEAL, SILVER = range(8)
GREY, RED, GREEN, YELLOW, BLUE, MAGENTA, CYAN, WHITE = range(8, 16)


def blank():
    return [[BLACK] * INNER for _ in range(INNER)]


def rgb_grid():
    img = blank()
    colours = [RED, GREEN, BLUE]
    for n, p in enumerate(range(1, INNER, 4)):
        for i in range(INNER):
            img[i][p] = colours[n % 3]
            img[p][i] = colours[(n + 1) % 3]
    return img


def white_grid():
    img = blank()
    for p in range(1, INNER, 4):
        for i in range(INNER):
            img[i][p] = WHITE
            img[p][i] = WHITE
    return img


def plot_circle(img, cx, cy, r, colour):
    for step in range(64):
        a = 2 * math.pi * step / 64
        x = int(round(cx + r * math.cos(a)))
        y = int(round(cy + r * math.sin(a)))
        if 0 <= x < INNER and 0 <= y < INNER:
            img[y][x] = colour


def circles():
    img = blank()
    plot_circle(img, 6.5, 6.5, 4.5, WHITE)
    for cx in (1, 12):
        for cy in (1, 12):
            plot_circle(img, cx, cy, 1, WHITE)
    return img


def dots():
    img = blank()
    for y in range(1, INNER, 3):
        for x in range(1, INNER, 3):
            img[y][x] = WHITE
    return img


def horizontal_lines():
    img = blank()
    for y in range(1, INNER, 2):
        img[y] = [WHITE] * INNER
    return img


def text_rows():
    img = blank()
    words = [3, 2, 4, 1, 2, 3, 2]
    for row, y in enumerate(range(1, INNER - 1, 3)):
        x = row % 2
        for n, length in enumerate(words[row:] + words[:row]):
            for dx in range(length):
                if x + dx < INNER:
                    img[y][x + dx] = WHITE
                    if (x + dx + n) % 2 == 0:
                        img[y + 1][x + dx] = WHITE
            x += length + 1
    return img


def checkerboard():
    img = blank()
    for y in range(INNER):
        for x in range(INNER):
            if (x // 2 + y // 2) % 2 == 0:
                img[y][x] = WHITE
    return img


def vertical_stripes(colours):
    return [[colours[x // 2] for x in range(INNER)] for _ in range(INNER)]


def spectrum():
    return vertical_stripes([RED, YELLOW, GREEN, CYAN, BLUE, MAGENTA, RED])


def colour_bars():
    return vertical_stripes([WHITE, YELLOW, CYAN, GREEN, MAGENTA, RED, BLUE])


def white_field():
    img = blank()
    for y in range(1, INNER - 1):
        for x in range(1, INNER - 1):
            img[y][x] = WHITE
    return img


def nested_rectangles():
    img = blank()
    for ring, colour in enumerate([GREY, SILVER, GREY, SILVER, WHITE, GREY, WHITE]):
        for y in range(ring, INNER - ring):
            for x in range(ring, INNER - ring):
                if y in (ring, INNER - 1 - ring) or x in (ring, INNER - 1 - ring):
                    img[y][x] = colour
    return img


def two_boxes():
    img = blank()
    for y in range(4, 10):
        for x in list(range(1, 6)) + list(range(8, 13)):
            img[y][x] = WHITE
    return img


def composite():
    img = [[GREY] * INNER for _ in range(INNER)]
    bars = [WHITE, YELLOW, CYAN, GREEN, MAGENTA, RED, BLUE, BLACK]
    steps = [BLACK, GREY, SILVER, WHITE]
    for y in range(INNER):
        for x in range(INNER):
            if (x - 6.5) ** 2 + (y - 6.5) ** 2 <= 5.5 ** 2:
                if y < 7:
                    img[y][x] = bars[min(7, (x - 1) * 8 // 12)]
                else:
                    img[y][x] = steps[min(3, (x - 1) * 4 // 12)]
    plot_circle(img, 6.5, 6.5, 6, WHITE)
    return img


MOTIFS = [
    rgb_grid, white_grid, circles, dots, horizontal_lines, text_rows, checkerboard,
    spectrum, colour_bars, white_field, nested_rectangles, two_boxes, composite,
]


def framed(motif, state):
    img = [[SILVER] * SIZE for _ in range(SIZE)]
    pressed = state == "D"
    outer_light, outer_dark = (BLACK, WHITE) if pressed else (WHITE, BLACK)
    inner_light, inner_dark = (GREY, SILVER) if pressed else (SILVER, GREY)
    if state == "F":
        inner_light = inner_dark = YELLOW
    for i in range(SIZE):
        img[0][i] = img[i][0] = outer_light
        img[SIZE - 1][i] = img[i][SIZE - 1] = outer_dark
    for i in range(1, SIZE - 1):
        img[1][i] = img[i][1] = inner_light
        img[SIZE - 2][i] = img[i][SIZE - 2] = inner_dark
    img[SIZE - 1][0] = img[0][SIZE - 1] = outer_dark
    shift = 1 if pressed else 0
    for y in range(INNER):
        for x in range(INNER):
            ty, tx = y + 2 + shift, x + 2 + shift
            if ty < SIZE - 2 and tx < SIZE - 2:
                img[ty][tx] = motif[y][x]
    return img


def write_xpm(path, name, img):
    lines = [f'"{SIZE} {SIZE} {len(PALETTE)} 1",']
    lines += [f'"{i:x} c {colour}",' for i, colour in enumerate(PALETTE)]
    lines += ['"' + "".join(f"{c:x}" for c in row) + '",' for row in img]
    lines[-1] = lines[-1].rstrip(",")
    with open(path, "w", encoding="ascii") as out:
        out.write(f"/* XPM */\nstatic const char* {name}[] = {{\n")
        out.write("\n".join(lines))
        out.write("\n};\n")


def main():
    folder = os.path.join("resources", "buttons")
    os.makedirs(folder, exist_ok=True)
    for number, motif in enumerate(MOTIFS, start=1):
        picture = motif()
        for state in "UDF":
            name = f"TP{number}{state}"
            write_xpm(os.path.join(folder, name + ".xpm"), name + "_xpm", framed(picture, state))


if __name__ == "__main__":
    main()
