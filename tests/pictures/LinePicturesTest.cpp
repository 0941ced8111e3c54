// SPDX-License-Identifier: MIT
// The pictures of lines and dots: the dashed colour grid (0), the grid (1),
// geometry (2), focus (3), resolution (4) and moire (6).
#include <gtest/gtest.h>

#include <algorithm>
#include <array>

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

// Grid lines (pictures 0, 1, 2) and focus dots (3) on n columns and m rows of
// cells, at every level.
struct Lattice {
    int picture, level, w, h, n, m;
};
constexpr Lattice kLattices[] = {
    {0, 0, 640, 480, 8, 6},  {0, 1, 1366, 768, 16, 8},  {0, 2, 1280, 1024, 32, 25},
    {1, 0, 1366, 768, 2, 2}, {1, 1, 640, 480, 8, 6},    {1, 2, 1920, 1080, 16, 9},
    {2, 0, 640, 480, 1, 1},  {2, 1, 640, 480, 8, 6},    {2, 2, 640, 480, 16, 12},
    {3, 0, 640, 480, 8, 6},  {3, 1, 1920, 1080, 16, 9}, {3, 2, 1366, 768, 32, 17},
    {3, 0, 1000, 100, 8, 1}};

TEST(LinePictures, GridLinesAndFocusDotsOnTheTruncatedFractions) {
    for (const Lattice& c : kLattices) {
        SCOPED_TRACE(testing::Message()
                     << c.picture << " level " << c.level << " " << c.w << "x" << c.h);
        Screen screen(c.w, c.h, 32, c.picture, c.level, kGreen);
        const int along = c.picture == 3 ? 0 : 1;  // dots lie on the lines, lines everywhere
        EXPECT_EQ(LitAt(Row(screen, c.h - 1 - along)), Fractions(c.w, c.n));
        EXPECT_EQ(LitAt(Column(screen, c.w - 1 - along)), Fractions(c.h, c.m));
        if (c.picture == 3) {
            EXPECT_EQ(ColorCounts(screen)[kGreen], std::size_t(c.n + 1) * (c.m + 1));
        }
    }
}

// Picture 0 at 640x480, Niedrig: the colour runs of the first two vertical
// lines and of the top line, crossings in the colour of both lines. Right
// clicks step through the six orders of the three colours.
TEST(LinePictures, DashedGridHasTheWorkedColourRuns) {
    Screen screen(640, 480, 32, 0, 0, kRed);  // the guns do not matter
    EXPECT_EQ(RunsOf(Column(screen, 0)),
              (Runs{{0, kRed}, {39, kBlue}, {119, kGreen}, {279, kRed}, {359, kBlue}}));
    EXPECT_EQ(RunsOf(Column(screen, 79)),
              (Runs{{0, kBlue}, {39, kGreen}, {199, kRed}, {279, kBlue}, {439, kGreen}}));
    const Runs top = {{0, kRed},    {39, kBlue},   {119, kGreen}, {279, kRed},
                      {359, kBlue}, {519, kGreen}, {599, kRed}};
    EXPECT_EQ(RunsOf(Row(screen, 0)), top);
    constexpr COLORREF kOrders[6][3] = {{kRed, kBlue, kGreen}, {kRed, kGreen, kBlue},
                                        {kGreen, kRed, kBlue}, {kGreen, kBlue, kRed},
                                        {kBlue, kGreen, kRed}, {kBlue, kRed, kGreen}};
    Screen clicked(320, 240);
    for (std::uint32_t v : {0u, 1u, 2u, 3u, 4u, 5u, 6u, 4294967295u}) {
        clicked.Paint(0, 1, kWhite, v);
        const COLORREF first[3] = {clicked.At(0, 1), clicked.At(0, 15), clicked.At(0, 35)};
        EXPECT_TRUE(std::equal(first, first + 3, kOrders[v % 6])) << v;
    }
}

// Picture 2: a centre circle and four corner circles mirrored about the
// middle. Niedrig and Mittel: outlines filled black around a lit centre; Hoch:
// corner rings two pixels apart down to radius one or two.
TEST(LinePictures, GeometryCirclesFollowTheScreenSize) {
    constexpr struct {
        int w, h, R, x, y, r;  // the centre circle's radius; the top left corner circle
    } kCases[] = {{640, 480, 180, 80, 80, 60}, {1366, 768, 384, 170, 192, 128}};
    for (const auto& c : kCases) {
        for (int level = 0; level < 3; ++level) {
            Screen screen(c.w, c.h, 32, 2, level);
            // The lit places along a line from a centre out to radius r, the centre as 0.
            auto outwards = [](const std::vector<COLORREF>& line, int centre, int r) {
                return LitAt({line.begin() + centre, line.begin() + centre + r + 1});
            };
            EXPECT_EQ(outwards(Row(screen, c.h / 2), c.w / 2, c.R), (std::vector<int>{0, c.R}));
            std::vector<int> rings = {0};
            for (int d = level == 2 ? 2 - c.r % 2 : c.r; d <= c.r; d += 2) {
                rings.push_back(d);
            }
            for (const auto& [x, y] :
                 {std::pair{c.x, c.y}, std::pair{c.w - c.x, c.y}, std::pair{c.x, c.h - c.y},
                  std::pair{c.w - c.x, c.h - c.y}}) {
                EXPECT_EQ(outwards(Row(screen, y), x, c.r), rings) << c.w << " level " << level;
                EXPECT_EQ(outwards(Column(screen, x), y, c.r), rings) << c.w << " level " << level;
            }
        }
    }
}

// Picture 2 is its grid with each circle drawn filled over it in turn, both
// where the circles lie apart and on a wide screen where they meet.
TEST(LinePictures, GeometryIsTheGridWithEachCircleFilledOverIt) {
    for (const auto& [w, h] : {std::pair{640, 480}, std::pair{640, 100}}) {
        for (int level = 0; level < 3; ++level) {
            Screen picture(w, h, 32, 2, level);
            Screen drawn(w, h);
            CPen pen(PS_SOLID, 1, kWhite);
            CDC dc(drawn.surface);
            dc.SelectObject(&pen);
            dc.SelectObject(GetStockBrush(BLACK_BRUSH));
            drawn.wnd.DrawGrid(&dc, std::array{1, 8, 16}[level]);
            const int r = w * 3 / 32;
            const int x0 = w / 8;
            const int y0 = 2 * h / std::max(1, h * 16 / w);
            drawn.wnd.DrawCircle(&dc, w / 2, h / 2, w * 9 / 32, false);
            for (const auto& [x, y] : {std::pair{x0, y0}, std::pair{w - x0, y0},
                                       std::pair{x0, h - y0}, std::pair{w - x0, h - y0}}) {
                drawn.wnd.DrawCircle(&dc, x, y, r, level == 2);
            }
            EXPECT_TRUE(std::equal(picture.surface.Pixels(), picture.surface.Pixels() + w * h,
                                   drawn.surface.Pixels()))
                << w << "x" << h << " level " << level;
        }
    }
}

// Picture 4: bands of k = 3, 2, 1 lines, lit where p mod 2k < k; odd click
// counts turn rows into columns. Picture 6: a one-pixel checkerboard (Hoch)
// or square dots of n = 1 or 2 pixels on twice their size, at odd sizes too.
TEST(LinePictures, ResolutionBandsAndMoireDotsByLevel) {
    for (const auto& [w, h] : {std::pair{641, 481}, std::pair{1366, 768}}) {
        for (int level = 0; level < 3; ++level) {
            for (std::uint32_t variant : {0u, 1u, 2u}) {
                Screen resolution(w, h, 32, 4, level, kBlue, variant);
                Screen moire(w, h, 32, 6, level, kGreen, variant);
                const int k = 3 - level;
                const int n = 2 - level;
                int wrong = 0;
                for (int y = 0; y < h; ++y) {
                    for (int x = 0; x < w; ++x) {
                        const int p = variant % 2 ? x : y;
                        wrong += resolution.At(x, y) != (p % (2 * k) < k ? kBlue : kBlack);
                        const bool dot =
                            n == 0 ? (x + y) % 2 == 0 : x % (2 * n) < n && y % (2 * n) < n;
                        wrong += moire.At(x, y) != (dot ? kGreen : kBlack);
                    }
                }
                EXPECT_EQ(wrong, 0) << w << "x" << h << " level " << level << " " << variant;
            }
        }
    }
}

}  // namespace
