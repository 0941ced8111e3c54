// Vertical lines collected in a batch and stored row by row land as if each
// had been stored at once.
#include <gtest/gtest.h>

#include <optional>
#include <random>
#include <vector>

#include "gdi/CDC.h"
#include "gdi/ColumnBatch.h"
#include "gdi/Surface.h"

namespace {

constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kGreen = RGB(0, 255, 0);

void VerticalLine(CDC& dc, int x, int y0, int y1, COLORREF color) {
    CPen pen(PS_SOLID, 1, color);
    CPen* old = dc.SelectObject(&pen);
    dc.MoveTo(x, y0);
    dc.LineTo(x, y1);
    dc.SelectObject(old);
}

// The surface's pixels as colours, row by row.
std::vector<COLORREF> Colours(const Surface& s) {
    std::vector<COLORREF> c;
    for (int y = 0; y < s.Height(); ++y) {
        for (int x = 0; x < s.Width(); ++x) {
            c.push_back(s.PixelColor(x, y));
        }
    }
    return c;
}

TEST(ColumnBatch, StoresItsColumnsWhereItEnds) {
    Surface surface(8, 6, 32);
    CDC dc(surface);
    {
        ColumnBatch columns(dc);
        VerticalLine(dc, 2, 1, 5, kRed);
        {
            ColumnBatch inner(dc);  // adds to the outer batch
            VerticalLine(dc, 3, 1, 5, kGreen);
        }
        VerticalLine(dc, 6, 6, 0, kRed);  // upwards: rows 1 to 6, clipped to 5
    }
    EXPECT_EQ(surface.PixelColor(2, 1), kRed);
    EXPECT_EQ(surface.PixelColor(3, 4), kGreen);
    EXPECT_EQ(surface.PixelColor(3, 5), 0u);
    EXPECT_EQ(surface.PixelColor(6, 0), 0u);
    EXPECT_EQ(surface.PixelColor(6, 5), kRed);
}

TEST(ColumnBatch, LaterDrawingOverAndBesideItsColumnsKeepsItsOrder) {
    Surface surface(10, 4, 32);
    {
        CDC dc(surface);
        ColumnBatch columns(dc);
        VerticalLine(dc, 1, 0, 4, kRed);
        VerticalLine(dc, 2, 0, 4, kRed);
        VerticalLine(dc, 1, 0, 4, kGreen);  // the same column again wins
        CBrush brush(kGreen);
        const RECT r{2, 1, 3, 2};
        dc.FillRect(&r, &brush);  // over a collected column
        VerticalLine(dc, 5, 0, 4, kRed);
        dc.BitBlt(7, 0, 1, 4, &dc, 5, 0, SRCCOPY);  // copies the collected column
        VerticalLine(dc, 8, 0, 4, kRed);
    }
    EXPECT_EQ(surface.PixelColor(1, 3), kGreen);
    EXPECT_EQ(surface.PixelColor(2, 0), kRed);
    EXPECT_EQ(surface.PixelColor(2, 1), kGreen);
    EXPECT_EQ(surface.PixelColor(7, 2), kRed);
    EXPECT_EQ(surface.PixelColor(8, 3), kRed);
}

// Random vertical and horizontal lines and fills, clipped, against a plain
// pixel array drawn one pixel at a time.
TEST(ColumnBatch, RandomDrawingMatchesPixelByPixelDrawing) {
    std::mt19937 random(7);
    auto any = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(random); };
    for (int round = 0; round < 40; ++round) {
        const int w = any(1, 40);
        const int h = any(1, 30);
        Surface surface(w, h, 32);
        const RECT update{any(-2, w / 2), any(-2, h / 2), any(w / 2, w + 2), any(h / 2, h + 2)};
        CDC dc(surface, update);
        const RECT clip = dc.ClipRect();
        std::vector<COLORREF> model(static_cast<std::size_t>(w * h), 0);
        std::optional<ColumnBatch> columns(std::in_place, dc);
        auto set = [&](int x, int y, COLORREF c) {
            if (x >= clip.left && x < clip.right && y >= clip.top && y < clip.bottom) {
                model[static_cast<std::size_t>(y * w + x)] = c;
            }
        };
        for (int step = 0; step < 200; ++step) {
            const COLORREF color = RGB(static_cast<BYTE>(any(1, 255)), 7, 9);
            const int kind = any(0, 9);
            // Mostly vertical lines, many side by side over the whole height.
            const int x = kind < 5 ? step % (w + 2) - 1 : any(-1, w);
            const int a = kind < 3 ? 0 : any(-2, h + 1);
            const int b = kind < 3 ? h : any(-2, h + 1);
            if (kind < 7) {
                VerticalLine(dc, x, a, b, color);
                for (int y = a; y != b; y += a < b ? 1 : -1) {
                    set(x, y, color);
                }
            } else if (kind < 9) {
                CPen pen(PS_SOLID, 1, color);
                CPen* old = dc.SelectObject(&pen);
                dc.MoveTo(a, x);
                dc.LineTo(b, x);
                dc.SelectObject(old);
                for (int xx = a; xx != b; xx += a < b ? 1 : -1) {
                    set(xx, x, color);
                }
            } else {
                CBrush brush(color);
                const RECT r{x - 2, a, x + 3, b};
                dc.FillRect(&r, &brush);
                for (int yy = r.top; yy < r.bottom; ++yy) {
                    for (int xx = r.left; xx < r.right; ++xx) {
                        set(xx, yy, color);
                    }
                }
            }
            if (step % 37 == 0 || step == 199) {
                columns.reset();
                ASSERT_EQ(Colours(surface), model) << "round " << round << " step " << step;
                columns.emplace(dc);
            }
        }
    }
}

}  // namespace
