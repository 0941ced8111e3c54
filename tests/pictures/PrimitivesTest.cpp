// The pattern primitives: grids, ring circles and dots, drawn with a white
// pen and the black brush as the render frame leaves them.
#include <gtest/gtest.h>

#include <functional>

#include "support/TestSupport.h"

namespace {

void DrawWithFramePen(Screen& screen, const std::function<void(CDC*)>& draw) {
    CDC dc(screen.surface);
    CPen pen(PS_SOLID, 1, kWhite);
    CPen* oldPen = dc.SelectObject(&pen);
    CBrush* oldBrush = dc.SelectObject(GetStockBrush(BLACK_BRUSH));
    draw(&dc);
    dc.SelectObject(oldPen);
    dc.SelectObject(oldBrush);
}

std::vector<int> Range(std::initializer_list<int> values) {
    return values;
}

TEST(DrawGrid, OneColumnIsTheScreenFrame) {
    Screen screen(64, 48);
    DrawWithFramePen(screen, [&](CDC* dc) { screen.wnd.DrawGrid(dc, 1); });
    EXPECT_EQ(screen.LitColumnsInRow(20), Range({0, 63}));
    EXPECT_EQ(screen.LitRowsInColumn(30), Range({0, 47}));
}

TEST(DrawGrid, ColumnAndRowLinesFollowTheTruncatedFractions) {
    struct Case {
        int w, h, columns;
        std::vector<int> xs, ys;
    };
    const std::vector<Case> cases = {
        {640, 480, 2, {0, 319, 639}, {0, 239, 479}},
        {640, 480, 8, {0, 79, 159, 239, 319, 399, 479, 559, 639}, {0, 79, 159, 239, 319, 399, 479}},
        {1366, 768, 2, {0, 682, 1365}, {0, 383, 767}},
    };
    for (const Case& c : cases) {
        Screen screen(c.w, c.h);
        DrawWithFramePen(screen, [&](CDC* dc) { screen.wnd.DrawGrid(dc, c.columns); });
        EXPECT_EQ(screen.LitColumnsInRow(c.ys[0] + 1), c.xs) << c.w << "x" << c.h;
        EXPECT_EQ(screen.LitRowsInColumn(c.xs[0] + 1), c.ys) << c.w << "x" << c.h;
    }
}

TEST(DrawGrid, RowCountFollowsTheAspectRatio) {
    struct Case {
        int w, h, columns, rows;
    };
    for (const Case& c : {Case{1280, 1024, 32, 25}, Case{1920, 1080, 16, 9}}) {
        Screen screen(c.w, c.h);
        DrawWithFramePen(screen, [&](CDC* dc) { screen.wnd.DrawGrid(dc, c.columns); });
        EXPECT_EQ(screen.LitRowsInColumn(1).size(), static_cast<std::size_t>(c.rows + 1));
        EXPECT_EQ(screen.LitColumnsInRow(1).size(), static_cast<std::size_t>(c.columns + 1));
    }
}

TEST(DrawCircle, RingsAreTwoPixelsApartDownToRadiusOneOrTwo) {
    struct Case {
        int radius;
        std::size_t lit;  // pixels lit on the ray from the centre, centre included
        int innermost;
    };
    for (const Case& c : {Case{75, 39, 1}, Case{60, 31, 2}}) {
        Screen screen(200, 200);
        DrawWithFramePen(screen,
                         [&](CDC* dc) { screen.wnd.DrawCircle(dc, 100, 100, c.radius, true); });
        std::vector<int> ray;
        for (int x = 100; x < 200; ++x) {
            if (screen.Lit(x, 100)) {
                ray.push_back(x - 100);
            }
        }
        EXPECT_EQ(ray.size(), c.lit) << c.radius;
        EXPECT_EQ(ray[0], 0);
        EXPECT_EQ(ray[1], c.innermost);
        EXPECT_EQ(ray.back(), c.radius);
    }
}

TEST(DrawCircle, WithoutRingsTheBlackFillHidesWhatWasInside) {
    Screen screen(200, 200);
    DrawWithFramePen(screen, [&](CDC* dc) {
        screen.wnd.DrawGrid(dc, 8);
        screen.wnd.DrawCircle(dc, 100, 100, 60, false);
    });
    // Only the outline and the centre remain inside the circle's box.
    EXPECT_EQ(screen.LitColumnsInRow(100), Range({0, 24, 40, 100, 160, 174, 199}));
}

TEST(DrawDot, SetsExactlyOnePixelAndNothingOutsideTheScreen) {
    Screen screen(8, 8);
    DrawWithFramePen(screen, [&](CDC* dc) {
        screen.wnd.DrawDot(dc, 3, 4);
        screen.wnd.DrawDot(dc, -1, 2);
        screen.wnd.DrawDot(dc, 8, 8);
    });
    EXPECT_EQ(screen.DistinctColors(), 2u);
    EXPECT_EQ(screen.LitColumnsInRow(4), Range({3}));
    EXPECT_EQ(screen.LitRowsInColumn(3), Range({4}));
}

}  // namespace
