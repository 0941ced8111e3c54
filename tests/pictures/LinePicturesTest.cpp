// The pictures of lines and dots: the dashed colour grid (0), the grid (1),
// geometry (2), focus (3), resolution (4) and moire (6).
#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "support/TestSupport.h"

namespace {

// Lines at (extent - 1) * i / parts for i = 0..parts.
std::vector<int> Fractions(int extent, int parts) {
    std::vector<int> v;
    for (int i = 0; i <= parts; ++i) {
        v.push_back(((extent - 1) * i) / parts);
    }
    return v;
}

std::size_t LitPixels(const Screen& screen) {
    std::size_t n = 0;
    for (int y = 0; y < screen.surface.Height(); ++y) {
        n += LitColumnsInRow(screen, y).size();
    }
    return n;
}

// Grid lines (pictures 0, 1, 2) and focus dots (3) on n columns and m rows of cells.
struct Lattice {
    int picture, level, w, h, n, m;
};
constexpr Lattice kLattices[] = {
    {0, 0, 640, 480, 8, 6},    {0, 1, 1280, 1024, 16, 12}, {0, 2, 1280, 1024, 32, 25},
    {1, 0, 640, 480, 2, 2},    {1, 0, 1366, 768, 2, 2},    {1, 2, 640, 480, 16, 12},
    {1, 2, 1920, 1080, 16, 9}, {2, 1, 640, 480, 8, 6},     {3, 0, 640, 480, 8, 6},
    {3, 2, 640, 480, 32, 24},  {3, 0, 1366, 768, 8, 4},    {3, 1, 1366, 768, 16, 8},
    {3, 2, 1366, 768, 32, 17}, {3, 0, 1000, 100, 8, 1},
};

TEST(LinePictures, GridLinesAndFocusDotsOnTheTruncatedFractions) {
    for (const Lattice& c : kLattices) {
        SCOPED_TRACE(testing::Message()
                     << c.picture << " level " << c.level << " " << c.w << "x" << c.h);
        Screen screen(c.w, c.h);
        screen.Paint(c.picture, c.level, kGreen);
        const int along = c.picture == 3 ? 0 : 1;  // dots lie on the lines, lines everywhere
        EXPECT_EQ(LitColumnsInRow(screen, c.h - 1 - along), Fractions(c.w, c.n));
        EXPECT_EQ(LitRowsInColumn(screen, c.w - 1 - along), Fractions(c.h, c.m));
        if (c.picture == 3) {
            EXPECT_EQ(LitPixels(screen), static_cast<std::size_t>((c.n + 1) * (c.m + 1)));
        }
        if (c.picture != 0) {
            EXPECT_EQ(screen.At(c.w - 1, c.h - 1), kGreen);
        }
    }
}

// A cell grid draws its outer lines, right and bottom included, and the inner
// ones at the truncated fractions: a grid of zero width is one line, an
// inverted rectangle draws nothing.
TEST(LinePictures, CellGridIncludesItsRightAndBottomLines) {
    constexpr struct {
        RECT rect;
        int columns, rows;
        int xs[3], ys[5];  // lit along row 2 and a column inside; -1: none
    } kGrids[] = {{{1, 1, 7, 5}, 2, 2, {1, 4, 7}, {1, 3, 5, -1, -1}},
                  {{5, 0, 5, 4}, 1, 2, {5, -1, -1}, {0, 1, 2, 3, 4}},
                  {{6, 1, 2, 5}, 1, 1, {-1, -1, -1}, {-1, -1, -1, -1, -1}}};
    for (const auto& g : kGrids) {
        Screen screen(8, 6);
        CDC dc(screen.surface);
        CPen pen(PS_SOLID, 1, kWhite);
        CPen* oldPen = dc.SelectObject(&pen);
        CBrush* oldBrush = dc.SelectObject(GetStockBrush(BLACK_BRUSH));
        screen.wnd.DrawCellGrid(&dc, &g.rect, g.columns, g.rows);
        dc.SelectObject(oldPen);
        dc.SelectObject(oldBrush);
        std::vector<int> xs, ys;
        std::copy_if(g.xs, g.xs + 3, std::back_inserter(xs), [](int v) { return v >= 0; });
        std::copy_if(g.ys, g.ys + 5, std::back_inserter(ys), [](int v) { return v >= 0; });
        EXPECT_EQ(LitColumnsInRow(screen, 2), xs) << g.rect;
        EXPECT_EQ(LitRowsInColumn(screen, g.rect.left == 1 ? 2 : 5), ys) << g.rect;
    }
}

// Picture 0 at 640x480, Niedrig: the colour runs of the first two vertical
// lines and of the top line, crossings in the colour of the line beside them.
TEST(LinePictures, DashedGridHasTheWorkedColourRuns) {
    using Runs = std::vector<std::pair<int, COLORREF>>;
    const std::vector<int> rows = Fractions(480, 6);
    Screen screen(640, 480);
    screen.Paint(0, 0, kRed);  // the guns do not matter
    auto runs = [&](int x, bool vertical) {
        Runs r;
        for (int p = 0; p < (vertical ? 480 : 640); ++p) {
            const bool crossing = std::count(rows.begin(), rows.end(), p) > 0;
            const COLORREF c = vertical ? screen.At(x, p) : screen.At(p, 0);
            if (!(vertical && crossing) && (r.empty() || r.back().second != c)) {
                r.push_back({p, c});
            }
        }
        return r;
    };
    EXPECT_EQ(runs(0, true),
              (Runs{{1, kRed}, {39, kBlue}, {119, kGreen}, {279, kRed}, {359, kBlue}}));
    EXPECT_EQ(runs(79, true),
              (Runs{{1, kBlue}, {39, kGreen}, {199, kRed}, {279, kBlue}, {439, kGreen}}));
    EXPECT_EQ(runs(0, false), (Runs{{0, kRed},
                                    {39, kBlue},
                                    {119, kGreen},
                                    {279, kRed},
                                    {359, kBlue},
                                    {519, kGreen},
                                    {599, kRed}}));
    const COLORREF line0[] = {kRed, kBlue, kGreen, kGreen, kRed, kBlue, kBlue};
    for (std::size_t k = 0; k < rows.size(); ++k) {
        EXPECT_EQ(screen.At(0, rows[k]), line0[k]) << k;
        EXPECT_EQ(screen.At(0, rows[k] == 0 ? 1 : rows[k] - 1), line0[k]) << k;
    }
    // Right clicks cycle six colour orders; the seventh is the first again.
    std::set<std::vector<COLORREF>> orders;
    Screen clicked(320, 240);
    for (std::uint32_t v = 0; v < 7; ++v) {
        clicked.Paint(0, 1, kWhite, v);
        orders.insert({clicked.At(0, 1), clicked.At(0, 15), clicked.At(0, 35)});
    }
    EXPECT_EQ(orders.size(), 6u);
    EXPECT_EQ(clicked.At(0, 1), kRed);
}

struct Circle {
    int x, y, r;
};
struct GeometryCase {
    int w, h;
    Circle centre, corner;  // the top left corner circle; the others mirror it
};
constexpr GeometryCase kGeometry[] = {
    {640, 480, {320, 240, 180}, {80, 80, 60}},
    {800, 600, {400, 300, 225}, {100, 100, 75}},
    {1366, 768, {683, 384, 384}, {170, 192, 128}},
};

// Distances to the right of the centre that are lit (the centre as 0).
std::vector<int> LitToTheRight(const Screen& screen, const Circle& c) {
    std::vector<int> lit;
    for (int d = 0; d <= c.r; ++d) {
        if (screen.Lit(c.x + d, c.y)) {
            lit.push_back(d);
        }
    }
    return lit;
}

// Niedrig and Mittel: an outline filled black around a lit centre; Hoch:
// rings two pixels apart down to radius one or two.
TEST(LinePictures, GeometryCirclesFollowTheScreenSize) {
    for (const GeometryCase& c : kGeometry) {
        for (int level = 0; level < 3; ++level) {
            Screen screen(c.w, c.h);
            screen.Paint(2, level);
            EXPECT_EQ(LitToTheRight(screen, c.centre), (std::vector<int>{0, c.centre.r}));
            EXPECT_TRUE(screen.Lit(c.centre.x - c.centre.r, c.centre.y));
            const Circle& k = c.corner;
            for (const Circle& q : {k, Circle{c.w - k.x, k.y, k.r}, Circle{k.x, c.h - k.y, k.r},
                                    Circle{c.w - k.x, c.h - k.y, k.r}}) {
                std::vector<int> expected = {0};
                for (int d = level == 2 ? 2 - q.r % 2 : q.r; d <= q.r; d += 2) {
                    expected.push_back(d);
                }
                EXPECT_EQ(LitToTheRight(screen, q), expected) << c.w << " level " << level;
                EXPECT_TRUE(screen.Lit(q.x, q.y - q.r) && screen.Lit(q.x - q.r, q.y));
            }
        }
    }
    // Niedrig has no grid: row 240 crosses the frame and the centre circle only.
    Screen low(640, 480);
    low.Paint(2, 0);
    EXPECT_EQ(LitColumnsInRow(low, 240), (std::vector<int>{0, 140, 320, 500, 639}));
}

// Picture 4: bands of k = 3, 2, 1 lines, lit where p mod 2k < k; odd click
// counts turn rows into columns.
TEST(LinePictures, ResolutionBandsByLevelAndDirection) {
    constexpr int kBand[] = {3, 2, 1};
    auto bands = [](int extent, int k) {
        std::vector<int> v;
        for (int p = 0; p < extent; ++p) {
            if (p % (2 * k) < k) {
                v.push_back(p);
            }
        }
        return v;
    };
    for (const auto& [w, h] : {std::pair{640, 480}, std::pair{1366, 768}}) {
        for (int level = 0; level < 3; ++level) {
            for (std::uint32_t variant : {0u, 1u, 2u, 7u}) {
                Screen screen(w, h);
                screen.Paint(4, level, kBlue, variant);
                const bool vertical = (variant & 1) != 0;
                for (int probe : {0, 401}) {
                    EXPECT_EQ(
                        vertical ? LitColumnsInRow(screen, probe) : LitRowsInColumn(screen, probe),
                        bands(vertical ? w : h, kBand[level]))
                        << w << " level " << level << " variant " << variant;
                }
                EXPECT_EQ(screen.At(0, 0), kBlue);
            }
        }
    }
}

// Picture 6: a one-pixel checkerboard (Hoch) or square dots of one or two
// pixels on twice their size (Mittel, Niedrig), at odd sizes too.
TEST(LinePictures, MoirePatternByLevel) {
    for (const auto& [w, h] : {std::pair{641, 481}, std::pair{1366, 768}}) {
        for (int level = 0; level < 3; ++level) {
            Screen screen(w, h);
            screen.Paint(6, level, kGreen, 5);
            const int n = 2 - level;
            int wrong = 0;
            for (int y = 0; y < h; ++y) {
                for (int x = 0; x < w; ++x) {
                    const bool lit = n == 0 ? (x + y) % 2 == 0 : x % (2 * n) < n && y % (2 * n) < n;
                    wrong += screen.At(x, y) != (lit ? kGreen : kBlack);
                }
            }
            EXPECT_EQ(wrong, 0) << w << "x" << h << " level " << level;
        }
    }
}

}  // namespace
