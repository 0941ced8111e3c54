// The drawing rules of the software display: line ends, exclusive right and
// bottom edges, brushes, clipping, block copies.
#include <gtest/gtest.h>

#include <vector>

#include "gdi/CDC.h"
#include "gdi/Surface.h"

namespace {

constexpr COLORREF kPen = RGB(255, 255, 255);
constexpr COLORREF kFill = RGB(0, 0, 255);
constexpr COLORREF kWhite = RGB(255, 255, 255);

// A 32-bit surface of the given size with a white pen and a blue brush selected.
struct Canvas {
    Canvas(int w, int h) : surface(w, h, 32), dc(surface) {
        oldPen = dc.SelectObject(&pen);
        oldBrush = dc.SelectObject(&brush);
    }
    ~Canvas() {
        dc.SelectObject(oldPen);
        dc.SelectObject(oldBrush);
    }
    COLORREF At(int x, int y) const { return surface.PixelColor(x, y); }
    std::vector<POINT> PixelsOf(COLORREF color) const {
        std::vector<POINT> points;
        for (int y = 0; y < surface.Height(); ++y) {
            for (int x = 0; x < surface.Width(); ++x) {
                if (At(x, y) == color) {
                    points.push_back({x, y});
                }
            }
        }
        return points;
    }

    Surface surface;
    CPen pen{PS_SOLID, 1, kPen};
    CBrush brush{kFill};
    CDC dc;
    CPen* oldPen;
    CBrush* oldBrush;
};

TEST(LineTo, DrawsStartPixelButNotEndPixelInEveryDirection) {
    struct Case {
        POINT from, to;
        std::vector<POINT> pixels;
    };
    const std::vector<Case> cases = {
        {{2, 5}, {6, 5}, {{2, 5}, {3, 5}, {4, 5}, {5, 5}}},
        {{6, 5}, {2, 5}, {{3, 5}, {4, 5}, {5, 5}, {6, 5}}},
        {{4, 1}, {4, 4}, {{4, 1}, {4, 2}, {4, 3}}},
        {{4, 4}, {4, 1}, {{4, 2}, {4, 3}, {4, 4}}},
        {{1, 1}, {4, 4}, {{1, 1}, {2, 2}, {3, 3}}},
        {{5, 1}, {2, 4}, {{5, 1}, {4, 2}, {3, 3}}},
        {{3, 3}, {3, 3}, {}},
    };
    for (const Case& c : cases) {
        Canvas canvas(10, 10);
        canvas.dc.MoveTo(c.from.x, c.from.y);
        canvas.dc.LineTo(c.to.x, c.to.y);
        EXPECT_EQ(canvas.PixelsOf(kPen), c.pixels)
            << "line from " << c.from.x << "," << c.from.y << " to " << c.to.x << "," << c.to.y;
        EXPECT_EQ(canvas.dc.GetCurrentPosition(), c.to);
    }
}

TEST(LineTo, SteepAndShallowLinesStepOnePixelPerMajorStep) {
    Canvas canvas(20, 20);
    canvas.dc.MoveTo(0, 0);
    canvas.dc.LineTo(10, 4);
    const auto pixels = canvas.PixelsOf(kPen);
    ASSERT_EQ(pixels.size(), 10u);
    for (int k = 0; k < 10; ++k) {
        EXPECT_EQ(pixels[k].x, k);
        EXPECT_EQ(pixels[k].y, (2 * k * 4 + 10) / 20);
    }
}

TEST(LineTo, FarOutsideEndsAreClippedWithoutWalkingTheWholeLine) {
    Canvas canvas(8, 8);
    canvas.dc.MoveTo(-2000000000, -1000000000);
    canvas.dc.LineTo(2000000000, 1000000000);
    // The line passes near the origin at slope 1/2.
    EXPECT_EQ(canvas.At(0, 0), kPen);
    EXPECT_EQ(canvas.At(2, 1), kPen);
    EXPECT_EQ(canvas.At(6, 3), kPen);
    EXPECT_EQ(canvas.At(7, 4), kPen);
}

TEST(Rectangle, OutlinesWithPenFillsInsideAndLeavesOutRightAndBottom) {
    Canvas canvas(10, 10);
    canvas.dc.Rectangle(1, 2, 6, 7);
    for (int y = 0; y < 10; ++y) {
        for (int x = 0; x < 10; ++x) {
            const bool inside = x >= 1 && x <= 5 && y >= 2 && y <= 6;
            const bool edge = x == 1 || x == 5 || y == 2 || y == 6;
            const COLORREF expected = !inside ? 0 : edge ? kPen : kFill;
            ASSERT_EQ(canvas.At(x, y), expected) << x << "," << y;
        }
    }
}

TEST(Rectangle, InvertedOrEmptyRectanglesDrawNothing) {
    Canvas canvas(10, 10);
    canvas.dc.Rectangle(6, 2, 1, 7);
    canvas.dc.Rectangle(1, 7, 6, 2);
    RECT inverted{6, 6, 2, 2};
    canvas.dc.FillRect(&inverted, &canvas.brush);
    canvas.dc.FrameRect(&inverted, &canvas.brush);
    canvas.dc.InvertRect(&inverted);
    canvas.dc.Ellipse(6, 6, 2, 2);
    EXPECT_EQ(canvas.PixelsOf(0).size(), 100u);
}

TEST(Ellipse, CircleIsSymmetricTouchesItsBoxAndStaysInside) {
    for (int r : {1, 2, 5, 60, 75}) {
        const int size = 2 * r + 1;
        Canvas canvas(size + 4, size + 4);
        canvas.dc.Ellipse(2, 2, 2 + size, 2 + size);
        int minX = 1 << 30, maxX = -1, minY = 1 << 30, maxY = -1;
        for (int y = 0; y < size + 4; ++y) {
            for (int x = 0; x < size + 4; ++x) {
                const COLORREF c = canvas.At(x, y);
                const int mx = 2 * 2 + size - 1 - x;  // mirror across the centre column
                const int my = 2 * 2 + size - 1 - y;
                ASSERT_EQ(c, canvas.At(mx, y)) << "r=" << r << " at " << x << "," << y;
                ASSERT_EQ(c, canvas.At(x, my)) << "r=" << r << " at " << x << "," << y;
                ASSERT_EQ(c, canvas.At(y, x)) << "r=" << r << " at " << x << "," << y;
                if (c == kPen) {
                    minX = std::min(minX, x);
                    maxX = std::max(maxX, x);
                    minY = std::min(minY, y);
                    maxY = std::max(maxY, y);
                }
            }
        }
        EXPECT_EQ(minX, 2);
        EXPECT_EQ(maxX, 2 + size - 1);
        EXPECT_EQ(minY, 2);
        EXPECT_EQ(maxY, 2 + size - 1);
    }
}

TEST(Ellipse, OutlineIsClosedAndFillStaysInside) {
    Canvas canvas(30, 20);
    canvas.dc.Ellipse(3, 2, 27, 17);
    // Every row between top and bottom has pen pixels on both sides and the
    // brush only between them.
    for (int y = 2; y < 17; ++y) {
        int first = -1, last = -1;
        for (int x = 0; x < 30; ++x) {
            if (canvas.At(x, y) == kPen) {
                last = x;
                if (first < 0) {
                    first = x;
                }
            }
            if (canvas.At(x, y) == kFill) {
                EXPECT_GT(x, first);
            }
        }
        ASSERT_GE(first, 3) << y;
        EXPECT_LE(last, 26) << y;
        EXPECT_EQ(first + last, 3 + 26) << "row " << y << " is symmetric";
    }
    EXPECT_FALSE(canvas.PixelsOf(kFill).empty());
}

TEST(Ellipse, NullBrushLeavesTheInsideUntouched) {
    Canvas canvas(20, 20);
    RECT all{0, 0, 20, 20};
    CBrush red(RGB(255, 0, 0));
    canvas.dc.FillRect(&all, &red);
    CBrush* previous = canvas.dc.SelectObject(GetStockBrush(NULL_BRUSH));
    canvas.dc.Ellipse(2, 2, 17, 17);
    canvas.dc.Rectangle(0, 0, 20, 20);
    canvas.dc.SelectObject(previous);
    EXPECT_EQ(canvas.At(9, 9), RGB(255, 0, 0));
    EXPECT_EQ(canvas.At(2, 9), kPen);
    EXPECT_EQ(canvas.At(0, 0), kPen);
}

TEST(Ellipse, ThroughAnUpdateRectangleEqualsTheWholeEllipseInsideIt) {
    constexpr RECT kBoxes[] = {{3, 2, 27, 17}, {3, 2, 27, 18}, {-9, -30, 21, 41}, {5, 12, 25, 60}};
    constexpr RECT kClips[] = {{0, 0, 30, 4}, {0, 16, 30, 30}, {10, 8, 14, 11}, {2, 0, 9, 30}};
    for (const RECT& box : kBoxes) {
        Canvas whole(30, 30);
        whole.dc.Ellipse(&box);
        for (const RECT& clip : kClips) {
            Surface surface(30, 30, 32);
            CPen pen(PS_SOLID, 1, kPen);
            CBrush brush(kFill);
            CDC dc(surface, clip);
            CPen* oldPen = dc.SelectObject(&pen);
            CBrush* oldBrush = dc.SelectObject(&brush);
            dc.Ellipse(&box);
            dc.SelectObject(oldPen);
            dc.SelectObject(oldBrush);
            for (int y = 0; y < 30; ++y) {
                for (int x = 0; x < 30; ++x) {
                    const bool inside =
                        x >= clip.left && x < clip.right && y >= clip.top && y < clip.bottom;
                    ASSERT_EQ(surface.PixelColor(x, y), inside ? whole.At(x, y) : 0u)
                        << "box " << box.top << ".." << box.bottom << " clip " << clip.top << ".."
                        << clip.bottom << " at " << x << "," << y;
                }
            }
        }
    }
}

TEST(FillAndFrame, RespectExclusiveEdges) {
    Canvas canvas(10, 10);
    RECT r{2, 3, 7, 8};
    canvas.dc.FillRect(&r, &canvas.brush);
    EXPECT_EQ(canvas.PixelsOf(kFill).size(), 25u);
    EXPECT_EQ(canvas.At(7, 3), 0u);
    EXPECT_EQ(canvas.At(2, 8), 0u);

    Canvas framed(10, 10);
    CBrush* white = GetStockBrush(WHITE_BRUSH);
    framed.dc.FrameRect(&r, white);
    EXPECT_EQ(framed.PixelsOf(kWhite).size(), 16u);
    EXPECT_EQ(framed.At(6, 7), kWhite);
    EXPECT_EQ(framed.At(4, 5), 0u);
}

TEST(InvertRect, InvertsDirectColourAndPaletteIndices) {
    Canvas canvas(4, 4);
    RECT r{0, 0, 2, 4};
    canvas.dc.InvertRect(&r);
    EXPECT_EQ(canvas.At(0, 0), RGB(255, 255, 255));
    EXPECT_EQ(canvas.At(2, 0), 0u);

    Surface palette(4, 4, 8);
    CDC dc(palette);
    dc.InvertRect(&r);
    EXPECT_EQ(palette.PixelColor(1, 3), RGB(255, 255, 255));
    dc.InvertRect(&r);
    EXPECT_EQ(palette.PixelColor(1, 3), RGB(0, 0, 0));
}

TEST(Clipping, UpdateRectangleLimitsEveryOperation) {
    Surface surface(20, 20, 32);
    CDC dc(surface, RECT{5, 5, 10, 10});
    CPen pen(PS_SOLID, 1, kPen);
    CPen* old = dc.SelectObject(&pen);
    dc.MoveTo(0, 7);
    dc.LineTo(20, 7);
    dc.Ellipse(0, 0, 20, 20);
    EXPECT_EQ(surface.PixelColor(7, 7), kPen);
    RECT all{0, 0, 20, 20};
    dc.InvertRect(&all);
    dc.SelectObject(old);
    for (int y = 0; y < 20; ++y) {
        for (int x = 0; x < 20; ++x) {
            if (x < 5 || x >= 10 || y < 5 || y >= 10) {
                ASSERT_EQ(surface.PixelColor(x, y), 0u) << x << "," << y;
            }
        }
    }
    EXPECT_EQ(surface.PixelColor(7, 7), 0u);
}

TEST(BitBlt, OverlappingCopiesInBothDirectionsKeepTheSource) {
    for (int shift : {1, -1, 3}) {
        Surface surface(6, 12, 32);
        for (int y = 0; y < 12; ++y) {
            for (int x = 0; x < 6; ++x) {
                surface.Row(y)[x] = static_cast<std::uint32_t>(y * 16 + x);
            }
        }
        CDC dc(surface);
        // Copy rows 3..8 to 3+shift.., columns 1..4 to 1+shift/|shift|.
        const int dx = shift > 0 ? 1 : -1;
        dc.BitBlt(1 + dx, 3 + shift, 4, 6, &dc, 1, 3, SRCCOPY);
        for (int y = 0; y < 6; ++y) {
            for (int x = 0; x < 4; ++x) {
                ASSERT_EQ(surface.Pixel(1 + dx + x, 3 + shift + y),
                          static_cast<std::uint32_t>((3 + y) * 16 + 1 + x))
                    << "shift " << shift;
            }
        }
    }
}

TEST(BitBlt, CopiesAreClippedToTheSurface) {
    Surface surface(8, 5, 32);
    surface.Row(0)[0] = 0x123456;
    surface.Row(1)[7] = 0x654321;
    CDC dc(surface);
    for (int y = 2; y < 12; y += 2) {
        dc.BitBlt(0, y, 8, 2, &dc, 0, 0, SRCCOPY);
    }
    EXPECT_EQ(surface.Pixel(0, 2), 0x123456u);
    EXPECT_EQ(surface.Pixel(0, 4), 0x123456u);
    EXPECT_EQ(surface.Pixel(7, 3), 0x654321u);
}

TEST(GdiObjects, DestroyingASelectedObjectIsCaught) {
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

TEST(GdiObjects, SelectingReturnsThePreviousObject) {
    Surface surface(4, 4, 32);
    CDC dc(surface);
    CPen a(PS_SOLID, 1, 1), b(PS_SOLID, 1, 2);
    CPen* original = dc.SelectObject(&a);
    EXPECT_EQ(dc.SelectObject(&b), &a);
    EXPECT_TRUE(b.IsSelected());
    EXPECT_EQ(dc.SelectObject(original), &b);
    EXPECT_FALSE(a.IsSelected());
    EXPECT_FALSE(b.IsSelected());
    EXPECT_EQ(dc.GetDeviceCaps(BITSPIXEL), 32);
}

}  // namespace
