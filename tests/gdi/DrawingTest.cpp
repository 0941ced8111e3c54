// The drawing rules of the software display: line ends, exclusive right and
// bottom edges, brushes, clipping, block copies and batched columns.
#include <gtest/gtest.h>

#include <optional>
#include <random>

#include "gdi/CDC.h"
#include "gdi/ColumnBatch.h"
#include "support/TestSupport.h"

namespace {

constexpr COLORREF kFill = RGB(0, 0, 255);

// A black 32-bit surface with a white pen and a blue brush selected.
struct Canvas {
    Canvas(int w, int h, const RECT& update) : surface(w, h, 32), dc(surface, update) {
        oldPen = dc.SelectObject(&pen);
        oldBrush = dc.SelectObject(&brush);
    }
    explicit Canvas(int w, int h = 10) : Canvas(w, h, RECT{0, 0, w, h}) {}
    ~Canvas() {
        dc.SelectObject(oldPen);
        dc.SelectObject(oldBrush);
    }
    // The picture as text, a row per string: '.' black, '#' pen, 'o' brush, '?' else.
    std::vector<std::string> Rows() const {
        std::vector<std::string> rows;
        for (int y = 0; y < surface.Height(); ++y) {
            rows.emplace_back();
            for (int x = 0; x < surface.Width(); ++x) {
                const COLORREF c = surface.PixelColor(x, y);
                rows.back() += c == kBlack ? '.' : c == kWhite ? '#' : c == kFill ? 'o' : '?';
            }
        }
        return rows;
    }

    Surface surface;
    CPen pen{PS_SOLID, 1, kWhite};
    CBrush brush{kFill};
    CDC dc;
    CPen* oldPen;
    CBrush* oldBrush;
};

using Rows = std::vector<std::string>;

// A line draws its start pixel, leaves out its end pixel and steps one pixel
// per major step; the current position moves to its end.
TEST(Drawing, LinesLeaveOutTheirEndPixel) {
    constexpr struct {
        POINT from, to;
        const char* rows[5];
    } kLines[] = {
        {{1, 1}, {5, 1}, {".....", ".####", ".....", ".....", "....."}},
        {{5, 1}, {1, 1}, {".....", "..###", ".....", ".....", "....."}},
        {{2, 4}, {2, 0}, {".....", "..#..", "..#..", "..#..", "..#.."}},
        {{0, 0}, {4, 4}, {"#....", ".#...", "..#..", "...#.", "....."}},
        {{0, 0}, {4, 2}, {"#....", ".##..", "...#.", ".....", "....."}},
        {{4, 0}, {1, 3}, {"....#", "...#.", "..#..", ".....", "....."}},
        {{2, 2}, {2, 2}, {".....", ".....", ".....", ".....", "....."}},
    };
    for (const auto& l : kLines) {
        Canvas canvas(5, 5);
        canvas.dc.MoveTo(l.from.x, l.from.y);
        canvas.dc.LineTo(l.to.x, l.to.y);
        EXPECT_EQ(canvas.Rows(), Rows(l.rows, l.rows + 5)) << l.from.x << "," << l.from.y;
        EXPECT_EQ(canvas.dc.GetCurrentPosition(), l.to);
    }
    // Ends far outside are clipped without walking the whole line.
    Canvas far(8, 5);
    far.dc.MoveTo(-2000000000, -1000000000);
    far.dc.LineTo(2000000000, 1000000000);
    EXPECT_EQ(far.Rows(), (Rows{"#.......", ".##.....", "...##...", ".....##.", ".......#"}));
}

// Shapes outline with the pen and fill with the brush, right and bottom
// exclusive; inverted boxes draw nothing; the update rectangle clips all.
TEST(Drawing, ShapesKeepTheirBoxes) {
    Canvas canvas(9, 7);
    canvas.dc.Rectangle(1, 1, 6, 5);
    const RECT frame{6, 1, 9, 7};
    canvas.dc.FrameRect(&frame, GetStockBrush(WHITE_BRUSH));
    const RECT fill{0, 5, 3, 7};
    canvas.dc.FillRect(&fill, &canvas.brush);
    for (const RECT& inverted : {RECT{6, 6, 2, 2}, RECT{2, 6, 6, 2}}) {
        canvas.dc.Rectangle(&inverted);
        canvas.dc.Ellipse(&inverted);
        canvas.dc.FillRect(&inverted, &canvas.brush);
        canvas.dc.FrameRect(&inverted, &canvas.brush);
        canvas.dc.InvertRect(&inverted);
    }
    EXPECT_EQ(canvas.Rows(), (Rows{".........", ".########", ".#ooo##.#", ".#ooo##.#", ".######.#",
                                   "ooo...#.#", "ooo...###"}));

    Canvas clipped(9, 7, RECT{2, 2, 5, 4});
    clipped.dc.Ellipse(0, 0, 9, 7);
    clipped.dc.MoveTo(0, 2);
    clipped.dc.LineTo(9, 2);
    const RECT all{0, 0, 9, 7};
    clipped.dc.InvertRect(&all);
    EXPECT_EQ(clipped.Rows(), (Rows{".........", ".........", ".........", "..???....", ".........",
                                    ".........", "........."}));
    EXPECT_EQ(clipped.surface.PixelColor(3, 3), kFill ^ 0xFFFFFF);
}

// An ellipse touches its box on all four sides, is symmetric both ways, and
// its fill stays inside the outline; a null brush leaves the inside as it was.
TEST(Drawing, EllipsesAreSymmetricInsideTheirBox) {
    for (const auto& [w, h] :
         {std::pair{3, 3}, std::pair{11, 11}, std::pair{24, 15}, std::pair{151, 151}}) {
        Canvas canvas(w + 4, h + 4);
        canvas.dc.Ellipse(2, 2, 2 + w, 2 + h);
        EXPECT_EQ(LitBounds(canvas.surface, {0, 0, w + 4, h + 4}), (RECT{2, 2, 2 + w, 2 + h}));
        const Rows rows = canvas.Rows();
        for (int y = 0; y < h + 4; ++y) {
            std::string mirrored = rows[static_cast<std::size_t>(y)];
            std::reverse(mirrored.begin(), mirrored.end());
            EXPECT_EQ(rows[static_cast<std::size_t>(y)], mirrored) << w << " row " << y;
            EXPECT_EQ(rows[static_cast<std::size_t>(y)], rows[static_cast<std::size_t>(h + 3 - y)]);
            const auto o = rows[static_cast<std::size_t>(y)].find('o');
            if (o != std::string::npos) {
                EXPECT_EQ(rows[static_cast<std::size_t>(y)][o - 1], '#') << w << " row " << y;
            }
        }
    }
    Canvas hollow(20, 20);
    hollow.dc.SelectObject(GetStockBrush(NULL_BRUSH));
    hollow.dc.Ellipse(2, 2, 17, 17);
    EXPECT_EQ(LitColumnsInRow(hollow.surface, 9), (std::vector<int>{2, 16}));
}

TEST(Drawing, OverlappingCopiesKeepTheSource) {
    for (int shift : {1, -1, 3}) {
        Surface surface(6, 12, 32);
        for (int y = 0; y < 12; ++y) {
            for (int x = 0; x < 6; ++x) {
                surface.Row(y)[x] = static_cast<std::uint32_t>(y * 16 + x);
            }
        }
        CDC dc(surface);
        const int dx = shift > 0 ? 1 : -1;
        dc.BitBlt(1 + dx, 3 + shift, 4, 6, &dc, 1, 3, SRCCOPY);
        for (int y = 0; y < 6; ++y) {
            for (int x = 0; x < 4; ++x) {
                EXPECT_EQ(surface.Pixel(1 + dx + x, 3 + shift + y), (3u + y) * 16 + 1 + x) << shift;
            }
        }
        dc.BitBlt(0, 10, 6, 4, &dc, 0, 0, SRCCOPY);  // clipped to the surface
        EXPECT_EQ(surface.Pixel(5, 11), 16u + 5);
    }
}

// Vertical lines collected in a batch land as if each had been stored at
// once, among random lines and fills, clipped.
TEST(Drawing, BatchedColumnsMatchPixelByPixelDrawing) {
    std::mt19937 random(7);
    auto any = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(random); };
    for (int round = 0; round < 40; ++round) {
        const int w = any(1, 40);
        const int h = any(1, 30);
        Surface surface(w, h, 32);
        CDC dc(surface, RECT{any(-2, w / 2), any(-2, h / 2), any(w / 2, w + 2), any(h / 2, h + 2)});
        const RECT clip = dc.ClipRect();
        Surface model(w, h, 32);
        std::optional<ColumnBatch> columns(std::in_place, dc);
        auto set = [&](int x, int y, std::uint32_t c) {
            if (x >= clip.left && x < clip.right && y >= clip.top && y < clip.bottom) {
                model.Row(y)[x] = c;
            }
        };
        for (int step = 0; step < 200; ++step) {
            const COLORREF color = RGB(static_cast<BYTE>(any(1, 255)), 7, 9);
            CPen pen(PS_SOLID, 1, color);
            CBrush brush(color);
            CPen* old = dc.SelectObject(&pen);
            const int kind = any(0, 9);
            const int x = kind < 5 ? step % (w + 2) - 1 : any(-1, w);
            const int a = kind < 3 ? 0 : any(-2, h + 1);
            const int b = kind < 3 ? h : any(-2, h + 1);
            const RECT r{x - 2, a, x + 3, b};
            if (kind < 7) {
                dc.MoveTo(x, a);
                dc.LineTo(x, b);
                for (int y = a; y != b; y += a < b ? 1 : -1) {
                    set(x, y, surface.DeviceValue(color));
                }
            } else if (kind < 9) {
                dc.MoveTo(a, x);
                dc.LineTo(b, x);
                for (int p = a; p != b; p += a < b ? 1 : -1) {
                    set(p, x, surface.DeviceValue(color));
                }
            } else {
                dc.FillRect(&r, &brush);
                for (int y = r.top; y < r.bottom; ++y) {
                    for (int p = r.left; p < r.right; ++p) {
                        set(p, y, surface.DeviceValue(color));
                    }
                }
            }
            dc.SelectObject(old);
            if (step % 37 == 0 || step == 199) {
                columns.reset();
                ASSERT_TRUE(SamePixels(surface, model)) << "round " << round << " step " << step;
                columns.emplace(dc);
            }
        }
    }
}

TEST(Drawing, DestroyingASelectedObjectIsCaught) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_DEATH(
        {
            Surface surface(4, 4, 32);
            CDC dc(surface);
            auto* pen = new CPen(PS_SOLID, 1, 0);
            dc.SelectObject(pen);
            delete pen;
        },
        "destroyed while still selected");
}

}  // namespace
