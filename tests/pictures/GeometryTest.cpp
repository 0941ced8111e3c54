// Picture 2, "Geometrie": grid, centre circle and four corner circles.
#include <gtest/gtest.h>

#include <random>

#include "support/TestSupport.h"

namespace {

constexpr int kGeometry = 2;

struct Circle {
    int x, y, r;
};

// Outline pixels at the four ends of the circle and its lit centre.
void ExpectOutline(const Screen& screen, const Circle& c, COLORREF color = kWhite) {
    const int W = screen.surface.Width();
    const int H = screen.surface.Height();
    const POINT ends[] = {{c.x - c.r, c.y}, {c.x + c.r, c.y}, {c.x, c.y - c.r}, {c.x, c.y + c.r}};
    for (const POINT& p : ends) {
        if (p.x >= 0 && p.x < W && p.y >= 0 && p.y < H) {
            EXPECT_EQ(screen.At(p.x, p.y), color) << c.x << "," << c.y << " r " << c.r;
        }
    }
    EXPECT_EQ(screen.At(c.x, c.y), color) << "centre " << c.x << "," << c.y;
}

// Distances from the centre, to the right, at which pixels are lit (the
// centre itself included as 0).
std::vector<int> LitToTheRight(const Screen& screen, const Circle& c) {
    std::vector<int> lit;
    for (int d = 0; d <= c.r; ++d) {
        if (screen.Lit(c.x + d, c.y)) {
            lit.push_back(d);
        }
    }
    return lit;
}

std::vector<int> RingDistances(int r) {
    std::vector<int> d = {0};
    for (int k = 2 - r % 2; k <= r; k += 2) {
        d.push_back(k);
    }
    return d;
}

TEST(Geometry, MediumOn640x480HasTheWorkedGridAndCircles) {
    Screen screen(640, 480);
    screen.Paint(kGeometry, 1);
    // Row 1 crosses no circle: the grid's nine columns.
    EXPECT_EQ(screen.LitColumnsInRow(1),
              (std::vector<int>{0, 79, 159, 239, 319, 399, 479, 559, 639}));
    EXPECT_EQ(screen.LitRowsInColumn(1), (std::vector<int>{0, 79, 159, 239, 319, 399, 479}));

    const Circle centre{320, 240, 180};
    ExpectOutline(screen, centre);
    const Circle corners[] = {{80, 80, 60}, {560, 80, 60}, {80, 400, 60}, {560, 400, 60}};
    for (const Circle& c : corners) {
        ExpectOutline(screen, c);
        EXPECT_EQ(LitToTheRight(screen, c), (std::vector<int>{0, 60}));
    }
    // The black fill hides the grid lines inside the circles.
    EXPECT_EQ(LitToTheRight(screen, centre), (std::vector<int>{0, 180}));
    EXPECT_FALSE(screen.Lit(239, 240));
    EXPECT_FALSE(screen.Lit(79, 100));
}

TEST(Geometry, HighDrawsTheCornerCirclesAsRings) {
    struct Case {
        int w, h;
        Circle centre;
        Circle corner;  // top left; the others mirror it on W and H
    };
    for (const Case& c : {Case{800, 600, {400, 300, 225}, {100, 100, 75}},
                          Case{640, 480, {320, 240, 180}, {80, 80, 60}}}) {
        Screen screen(c.w, c.h);
        screen.Paint(kGeometry, 2);
        ExpectOutline(screen, c.centre);
        EXPECT_EQ(LitToTheRight(screen, c.centre), (std::vector<int>{0, c.centre.r}));
        const int x0 = c.corner.x;
        const int y0 = c.corner.y;
        for (const Circle& q :
             {Circle{x0, y0, c.corner.r}, Circle{c.w - x0, y0, c.corner.r},
              Circle{x0, c.h - y0, c.corner.r}, Circle{c.w - x0, c.h - y0, c.corner.r}}) {
            EXPECT_EQ(LitToTheRight(screen, q), RingDistances(q.r)) << q.x << "," << q.y;
        }
    }
    // An odd radius of 75 gives 38 rings, the innermost of radius 1.
    EXPECT_EQ(RingDistances(75).size(), 39u);
}

TEST(Geometry, CircleCentresFollowTheScreenSize) {
    struct Case {
        int w, h;
        Circle centre;
        int x0, y0, r;
    };
    const Case cases[] = {
        {1280, 1024, {640, 512, 360}, 160, 170, 120},
        {1920, 1080, {960, 540, 540}, 240, 240, 180},
        {1366, 768, {683, 384, 384}, 170, 192, 128},  // d = 8 (0.5622... x 16)
    };
    for (const Case& c : cases) {
        for (int level = 0; level < 3; ++level) {
            Screen screen(c.w, c.h);
            screen.Paint(kGeometry, level);
            ExpectOutline(screen, c.centre);
            for (const Circle& q :
                 {Circle{c.x0, c.y0, c.r}, Circle{c.w - c.x0, c.y0, c.r},
                  Circle{c.x0, c.h - c.y0, c.r}, Circle{c.w - c.x0, c.h - c.y0, c.r}}) {
                ExpectOutline(screen, q);
                const std::vector<int> expected =
                    level == 2 ? RingDistances(q.r) : std::vector<int>{0, q.r};
                EXPECT_EQ(LitToTheRight(screen, q), expected) << c.w << " level " << level;
            }
        }
    }
}

TEST(Geometry, CentreCircleOf1920x1080TouchesTheTopRow) {
    Screen screen(1920, 1080);
    screen.Paint(kGeometry, 0);
    EXPECT_TRUE(screen.Lit(960, 0));
    // Its lowest point, row 1080, lies below the screen; row 1079 shows the
    // outline just beside the centre column.
    EXPECT_EQ(screen.LitColumnsInRow(1079).front(), 0);
    EXPECT_GT(screen.LitColumnsInRow(1079).size(), 3u);
}

TEST(Geometry, LowIsTheScreenFrameAndFiveOutlines) {
    Screen screen(640, 480);
    screen.Paint(kGeometry, 0);
    // Row 240 crosses only the frame and the centre circle.
    EXPECT_EQ(screen.LitColumnsInRow(240), (std::vector<int>{0, 140, 320, 500, 639}));
    EXPECT_EQ(screen.LitRowsInColumn(320), (std::vector<int>{0, 60, 240, 420, 479}));
    // Row 80 crosses the frame, the two upper corner circles and the centre
    // circle's outline, symmetric about x = 320; no grid line.
    std::vector<int> centreCircle;
    for (int x : screen.LitColumnsInRow(80)) {
        if (x > 140 && x < 500) {
            centreCircle.push_back(x);
        } else {
            EXPECT_TRUE(x == 0 || x == 20 || x == 80 || x == 140 || x == 500 || x == 560 ||
                        x == 620 || x == 639)
                << x;
        }
    }
    ASSERT_EQ(centreCircle.size(), 4u);
    for (std::size_t i = 0; i < 4; ++i) {
        EXPECT_EQ(centreCircle[i] + centreCircle[3 - i], 640);
    }
}

TEST(Geometry, UsesTheGunColourAtEveryDepth) {
    for (int bpp : {32, 16, 8, 4, 1}) {
        Screen screen(640, 480, bpp);
        screen.Paint(kGeometry, 1, bpp == 1 ? kWhite : kGreen);
        EXPECT_TRUE(screen.host.messages.empty()) << bpp;
        EXPECT_EQ(screen.At(0, 0), bpp == 1 ? kWhite : kGreen) << bpp;
        EXPECT_EQ(screen.At(320, 60), bpp == 1 ? kWhite : kGreen) << bpp;
        EXPECT_EQ(screen.DistinctColors(), 2u) << bpp;
    }
}

// More than sixteen times as wide as high: the corner rows are placed as for
// a grid of one row (y0 = 2H), so nothing divides by zero.
TEST(Geometry, VeryWideScreenPlacesCornerCirclesAsForOneRow) {
    Screen screen(1700, 100);
    for (int level = 0; level < 3; ++level) {
        screen.Paint(kGeometry, level);
        // Corner radius 159; the lower circles are centred at y = 100 - 200.
        EXPECT_TRUE(screen.Lit(212, 59)) << level;
        EXPECT_TRUE(screen.Lit(1488, 59)) << level;
        EXPECT_TRUE(screen.Lit(850, 50)) << level;  // centre of the centre circle
    }
}

// The rings of a circle are outlined over one fill of the outer disc; the
// pixels are those of filling every ring in turn, whatever the brush.
TEST(DrawCircle, RingsMatchFillingEveryRing) {
    CBrush blue(kBlue);
    for (int radius = 0; radius <= 41; ++radius) {
        Screen drawn(100, 100);
        Screen reference(100, 100);
        auto paint = [&](Screen& s, bool naive) {
            CDC dc(s.surface, RECT{0, 0, 100, 90});
            CPen pen(PS_SOLID, 1, kWhite);
            CPen* oldPen = dc.SelectObject(&pen);
            CBrush* oldBrush = dc.SelectObject(&blue);
            if (naive) {
                RECT box{50 - radius, 48 - radius, 51 + radius, 49 + radius};
                for (int r = radius; r > 0; r -= 2) {
                    dc.Ellipse(&box);
                    InflateRect(&box, -2, -2);
                }
                s.wnd.DrawDot(&dc, 50, 48);
            } else {
                s.wnd.DrawCircle(&dc, 50, 48, radius, true);
            }
            dc.SelectObject(oldPen);
            dc.SelectObject(oldBrush);
        };
        paint(drawn, false);
        paint(reference, true);
        EXPECT_TRUE(std::equal(drawn.surface.Pixels(), drawn.surface.Pixels() + 100 * 100,
                               reference.surface.Pixels()))
            << radius;
    }
}

// The grid is drawn as one rectangle and its inner lines; the pixels are those
// of drawing every cell as a rectangle of its own, whatever the brush.
TEST(DrawCellGrid, MatchesDrawingEveryCell) {
    std::mt19937 random(11);
    auto any = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(random); };
    CBrush blue(kBlue);
    for (int round = 0; round < 300; ++round) {
        const RECT rect{any(-3, 20), any(-3, 20), 0, 0};
        const RECT r{rect.left, rect.top, rect.left + any(0, 50), rect.top + any(0, 40)};
        const int columns = any(1, 20);
        const int rows = any(1, 20);
        const RECT update{any(0, 10), any(0, 10), any(30, 64), any(30, 48)};
        auto paint = [&](Screen& s, bool naive) {
            CDC dc(s.surface, update);
            CPen pen(PS_SOLID, 1, kWhite);
            CPen* oldPen = dc.SelectObject(&pen);
            CBrush* oldBrush = dc.SelectObject(round % 2 ? &blue : GetStockBrush(NULL_BRUSH));
            CBrush red(kRed);
            const RECT under{0, 0, 64, 48};
            dc.FillRect(&under, &red);  // the cells' insides cover what was there
            if (naive) {
                const int w = r.right - r.left;
                const int h = r.bottom - r.top;
                int x0 = r.left;
                for (int i = 0; i < columns; ++i) {
                    const int x1 =
                        static_cast<int>(r.left + static_cast<double>((i + 1) * w) / columns);
                    int y0 = r.top;
                    for (int j = 0; j < rows; ++j) {
                        const int y1 =
                            static_cast<int>(r.top + static_cast<double>((j + 1) * h) / rows);
                        dc.Rectangle(x0, y0, x1 + 1, y1 + 1);
                        y0 = y1;
                    }
                    x0 = x1;
                }
            } else {
                s.wnd.DrawCellGrid(&dc, &r, columns, rows);
            }
            dc.SelectObject(oldPen);
            dc.SelectObject(oldBrush);
        };
        Screen drawn(64, 48);
        Screen reference(64, 48);
        paint(drawn, false);
        paint(reference, true);
        ASSERT_TRUE(std::equal(drawn.surface.Pixels(), drawn.surface.Pixels() + 64 * 48,
                               reference.surface.Pixels()))
            << "round " << round << ": " << r.left << "," << r.top << "," << r.right << ","
            << r.bottom << " " << columns << "x" << rows;
    }
}

TEST(DrawCellGrid, AnInvertedRectangleDrawsNothing) {
    Screen screen(32, 32);
    CDC dc(screen.surface);
    const RECT inverted{20, 5, 10, 25};
    screen.wnd.DrawCellGrid(&dc, &inverted, 2, 2);
    const RECT flat{5, 20, 25, 10};
    screen.wnd.DrawCellGrid(&dc, &flat, 3, 1);
    EXPECT_EQ(screen.DistinctColors(), 1u);
}

}  // namespace
