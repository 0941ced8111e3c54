// SPDX-License-Identifier: MIT
// The drawing rules of the software display: line ends, exclusive right and
// bottom edges, brushes, clipping, block copies and batched columns.
#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>
#include <optional>
#include <random>
#include <span>

#include "gdi/ColumnBatch.h"
#include "support/TestSupport.h"

namespace {

constexpr COLORREF kFill = RGB(0, 0, 255);
using Rows = std::vector<std::string>;

// A black 32-bit surface with a white pen and a blue brush selected.
struct Canvas {
    Canvas(int w, int h, const RECT& update) : surface(w, h, 32), dc(surface, update) {
        dc.SelectObject(&pen);
        dc.SelectObject(&brush);
    }
    Canvas(int w, int h) : Canvas(w, h, RECT{0, 0, w, h}) {}
    // The picture as text, a row per string: '.' black, '#' pen, 'o' brush,
    // 'x' inverted brush, '?' else.
    Rows Art() const {
        constexpr COLORREF kLegend[] = {kBlack, kWhite, kFill, kFill ^ kWhite};
        Rows rows;
        for (int y = 0; y < surface.Height(); ++y) {
            rows.emplace_back();
            for (COLORREF c : Row(surface, y)) {
                rows.back() += ".#ox?"[std::find(kLegend, kLegend + 4, c) - kLegend];
            }
        }
        return rows;
    }

    Surface surface;
    CPen pen{PS_SOLID, 1, kWhite};
    CBrush brush{kFill};
    CDC dc;  // last, so that it lets go of pen and brush before they die
};

// A line draws its start pixel, leaves out its end pixel and steps one pixel
// per major step; the current position moves to its end and success is
// reported.
TEST(Drawing, LinesLeaveOutTheirEndPixel) {
    constexpr struct {
        POINT from, to;
        const char* rows[5];
    } kLines[] = {{{1, 1}, {5, 1}, {".....", ".####", ".....", ".....", "....."}},
                  {{5, 1}, {1, 1}, {".....", "..###", ".....", ".....", "....."}},
                  {{2, 4}, {2, 0}, {".....", "..#..", "..#..", "..#..", "..#.."}},
                  {{0, 0}, {4, 4}, {"#....", ".#...", "..#..", "...#.", "....."}},
                  {{0, 0}, {4, 2}, {"#....", ".##..", "...#.", ".....", "....."}},
                  {{4, 0}, {1, 3}, {"....#", "...#.", "..#..", ".....", "....."}},
                  {{2, 2}, {2, 2}, {".....", ".....", ".....", ".....", "....."}},
                  // Ends far outside are clipped without walking the whole line.
                  {{-2000000000, -1000000000},
                   {2000000000, 1000000000},
                   {"#....", ".##..", "...##", ".....", "....."}}};
    for (const auto& l : kLines) {
        Canvas canvas(5, 5);
        canvas.dc.MoveTo(l.from.x, l.from.y);
        EXPECT_TRUE(canvas.dc.LineTo(l.to.x, l.to.y));
        EXPECT_EQ(canvas.Art(), Rows(l.rows, l.rows + 5)) << l.from.x << "," << l.from.y;
        EXPECT_EQ(canvas.dc.GetCurrentPosition(), l.to);
    }
}

// Shapes outline with the pen and fill with the brush (a null brush leaves
// the inside), right and bottom exclusive; inverted boxes and ellipses wider
// than 32768 pixels draw nothing.
TEST(Drawing, ShapesKeepTheirBoxes) {
    Canvas canvas(16, 13);
    canvas.dc.Ellipse(1, 1, 10, 8);
    canvas.dc.Rectangle(1, 9, 6, 13);
    for (const RECT& inverted : {RECT{14, 14, 2, 2}, RECT{2, 14, 14, 2}}) {
        canvas.dc.Rectangle(&inverted);
        canvas.dc.FillRect(&inverted, &canvas.brush);
        canvas.dc.FrameRect(&inverted, &canvas.brush);
        canvas.dc.InvertRect(&inverted);
    }
    canvas.dc.Ellipse(-20000, 0, 13000, 16);
    canvas.dc.SelectObject(GetStockBrush(NULL_BRUSH));
    canvas.dc.Ellipse(10, 2, 16, 8);
    EXPECT_EQ(canvas.Art(),
              (Rows{"................", "...#####........", "..#ooooo#..####.", ".#ooooooo##....#",
                    ".#ooooooo##....#", ".#ooooooo##....#", "..#ooooo#.#....#", "...#####...####.",
                    "................", ".#####..........", ".#ooo#..........", ".#ooo#..........",
                    ".#####.........."}));
}

// Runs of every length up to past the short ones that are stored pixel by
// pixel fill exactly their pixels.
TEST(Drawing, FillsOfEveryLengthKeepTheirEnds) {
    for (int length = 0; length <= 20; ++length) {
        Canvas canvas(24, 1);
        const RECT run{2, 0, 2 + length, 1};
        canvas.dc.FillRect(&run, &canvas.brush);
        EXPECT_EQ(canvas.Art()[0], ".." + std::string(length, 'o') + std::string(22 - length, '.'));
    }
}

// A pixel belongs to the ellipse in a box when its centre lies inside or on it
// (doubled distances keep the test exact): the brush's when its four
// neighbours belong too, else the pen's.
Rows EllipseArt(const RECT& box, int w, int h) {
    const std::int64_t a = box.right - box.left, b = box.bottom - box.top;
    auto in = [&](std::int64_t x, std::int64_t y) {
        const std::int64_t dx = 2 * x + 1 - (box.left + box.right);
        const std::int64_t dy = 2 * y + 1 - (box.top + box.bottom);
        return dx * dx * b * b + dy * dy * a * a <= a * a * b * b;
    };
    Rows rows(h, std::string(w, '.'));
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            const bool inside = in(x - 1, y) && in(x + 1, y) && in(x, y - 1) && in(x, y + 1);
            rows[y][x] = !in(x, y) ? '.' : inside ? 'o' : '#';
        }
    }
    return rows;
}

// An ellipse holds the pixels EllipseArt gives; drawn through an update
// rectangle it is the whole ellipse inside it and nothing outside: its upper
// and lower halves, worked out together, are clipped each on its own. Rings,
// lines and inversions are clipped alike.
TEST(Drawing, EllipseThroughAnUpdateRectangleIsTheWholeEllipseInsideIt) {
    constexpr RECT kBoxes[] = {{3, 2, 27, 17}, {3, 2, 27, 18}, {-9, -30, 21, 41}, {5, 12, 25, 60},
                               {0, 0, 2, 24},  {2, 0, 5, 24},  {1, 20, 29, 23}};
    constexpr RECT kClips[] = {{0, 0, 30, 4}, {0, 16, 30, 30}, {10, 8, 14, 11}, {2, 0, 9, 30}};
    for (const RECT& box : kBoxes) {
        Canvas alone(30, 30);
        alone.dc.Ellipse(&box);
        EXPECT_EQ(alone.Art(), EllipseArt(box, 30, 30)) << "box " << box;
        // Rings are the ellipses of boxes inset step by step, the first filled.
        Canvas rings(30, 30);
        Canvas ellipses(30, 30);
        rings.dc.Rings(&box, 3, 4);
        for (int d = 0; d < 12; d += 3) {
            const RECT inset{box.left + d, box.top + d, box.right - d, box.bottom - d};
            ellipses.dc.Ellipse(&inset);
            ellipses.dc.SelectObject(GetStockBrush(NULL_BRUSH));
        }
        EXPECT_EQ(rings.Art(), ellipses.Art()) << "box " << box;
        auto draw = [&](Canvas& canvas) {
            canvas.dc.Ellipse(&box);
            // Hollow rings across the ellipse, partly outside the clip.
            const RECT shifted{box.left + 2, box.top, box.right + 2, box.bottom};
            canvas.dc.SelectObject(GetStockBrush(NULL_BRUSH));
            canvas.dc.Rings(&shifted, 2, 5);
            canvas.dc.SelectObject(&canvas.brush);
            canvas.dc.MoveTo(-5, box.top + 7);
            canvas.dc.LineTo(35, box.top + 9);
            const RECT invert{box.left + 4, 6, box.left + 12, 20};
            canvas.dc.InvertRect(&invert);
        };
        Canvas whole(30, 30);
        draw(whole);
        for (const RECT& clip : kClips) {
            Canvas clipped(30, 30, clip);
            draw(clipped);
            Rows expected = whole.Art();
            for (int y = 0; y < 30; ++y) {
                for (int x = 0; x < 30; ++x) {
                    const bool inside =
                        x >= clip.left && x < clip.right && y >= clip.top && y < clip.bottom;
                    expected[y][x] = inside ? expected[y][x] : '.';
                }
            }
            EXPECT_EQ(clipped.Art(), expected) << "box " << box << " clip " << clip;
        }
    }
}

// Copies within a surface keep the source where it overlaps the destination,
// in either direction, are clipped to the surface, as destination and as
// source, and touch nothing outside the destination.
TEST(Drawing, OverlappingCopiesKeepTheSource) {
    for (const auto& [dx, dy] : {std::pair{1, 4}, std::pair{-1, -2}, std::pair{0, 1}}) {
        std::vector<std::uint32_t> memory(6 * 14);  // two rows more than the surface holds
        std::iota(memory.begin(), memory.end(), 0u);
        Surface surface(6, 12, 32, std::span(memory).first(6 * 12));
        CDC dc(surface);
        dc.BitBlt(1 + dx, 3 + dy, 4, 10, &dc, 1, 3, SRCCOPY);  // no row past 11, either side
        for (int y = 0; y < 12; ++y) {
            for (int x = 0; x < 6; ++x) {
                const bool copied =
                    x >= 1 + dx && x < 5 + dx && y >= 3 + dy && y < 13 + dy && y - dy < 12;
                const auto was =
                    static_cast<std::uint32_t>(copied ? 6 * (y - dy) + x - dx : 6 * y + x);
                EXPECT_EQ(surface.Pixel(x, y), was) << dx << ", " << dy << ": " << x << ", " << y;
            }
        }
    }
}

// Vertical lines collected in a batch land as if each had been drawn at once,
// among random lines and fills, clipped.
TEST(Drawing, BatchedColumnsMatchUnbatchedDrawing) {
    std::mt19937 random(7);
    auto any = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(random); };
    for (int round = 0; round < 40; ++round) {
        const int w = any(1, 40);
        const int h = any(1, 30);
        Surface surface(w, h, 32);
        Surface model(w, h, 32);
        CDC dc(surface, RECT{any(-2, w / 2), any(-2, h / 2), any(w / 2, w + 2), any(h / 2, h + 2)});
        CDC direct(model, dc.ClipRect());
        std::optional<ColumnBatch> columns(std::in_place, dc);
        for (int step = 0; step < 200; ++step) {
            CPen pen(PS_SOLID, 1, RGB(static_cast<BYTE>(any(1, 255)), 7, 9));
            const int x = step % 2 ? step % (w + 2) - 1 : any(-1, w);  // many side by side
            const int a = step % 3 ? 0 : any(-2, h + 1);
            const int b = step % 3 ? h : any(-2, h + 1);
            const RECT r{x - 2, a, x + 3, b};
            for (CDC* d : {&dc, &direct}) {
                d->SelectObject(&pen);
                if (step % 10 == 9) {
                    d->FillRect(&r, GetStockBrush(WHITE_BRUSH));
                }
                d->MoveTo(x, a);
                d->LineTo(x, b);
                d->SelectObject(static_cast<CPen*>(nullptr));
            }
            if (step % 37 == 0 || step == 199) {
                columns.reset();
                ASSERT_TRUE(SamePixels(surface, model)) << "round " << round << " step " << step;
                columns.emplace(dc);
            }
        }
    }
}

}  // namespace
