// Picture 3, "Focus": single dots on the crossings of a grid.
#include <gtest/gtest.h>

#include "support/TestSupport.h"

namespace {

constexpr int kFocus = 3;

std::size_t LitPixels(const Screen& screen) {
    std::size_t n = 0;
    for (int y = 0; y < screen.surface.Height(); ++y) {
        n += screen.LitColumnsInRow(y).size();
    }
    return n;
}

std::vector<int> Fractions(int extent, int parts) {
    std::vector<int> v;
    for (int i = 0; i <= parts; ++i) {
        v.push_back(((extent - 1) * i) / parts);
    }
    return v;
}

TEST(Focus, LowOn640x480HasTheWorkedDots) {
    Screen screen(640, 480);
    screen.Paint(kFocus, 0);
    EXPECT_EQ(screen.LitColumnsInRow(79),
              (std::vector<int>{0, 79, 159, 239, 319, 399, 479, 559, 639}));
    EXPECT_EQ(screen.LitRowsInColumn(559), (std::vector<int>{0, 79, 159, 239, 319, 399, 479}));
    EXPECT_EQ(LitPixels(screen), 63u);
}

TEST(Focus, HighOn640x480Has33By25Dots) {
    Screen screen(640, 480);
    screen.Paint(kFocus, 2);
    const std::vector<int> xs = screen.LitColumnsInRow(0);
    ASSERT_EQ(xs.size(), 33u);
    EXPECT_EQ(std::vector<int>(xs.begin(), xs.begin() + 5), (std::vector<int>{0, 19, 39, 59, 79}));
    EXPECT_EQ(xs.back(), 639);
    EXPECT_EQ(screen.LitRowsInColumn(0).size(), 25u);
    EXPECT_EQ(LitPixels(screen), 33u * 25u);
}

TEST(Focus, DotCountsAndPlacesFollowTheAspectRatio) {
    struct Case {
        int w, h, level, n, m;
    };
    const Case cases[] = {
        {1280, 1024, 2, 32, 25}, {1920, 1080, 1, 16, 9}, {1366, 768, 0, 8, 4},
        {1366, 768, 1, 16, 8},   {1366, 768, 2, 32, 17},
    };
    for (const Case& c : cases) {
        Screen screen(c.w, c.h);
        screen.Paint(kFocus, c.level);
        EXPECT_EQ(LitPixels(screen), static_cast<std::size_t>((c.n + 1) * (c.m + 1))) << c.w;
        EXPECT_EQ(screen.LitColumnsInRow(c.h - 1), Fractions(c.w, c.n)) << c.w;
        EXPECT_EQ(screen.LitRowsInColumn(c.w - 1), Fractions(c.h, c.m)) << c.w;
        // All four corners are lit.
        EXPECT_TRUE(screen.Lit(0, 0) && screen.Lit(c.w - 1, 0) && screen.Lit(0, c.h - 1) &&
                    screen.Lit(c.w - 1, c.h - 1));
    }
}

TEST(Focus, DotsTakeTheGunColourAtEveryDepth) {
    for (int bpp : {32, 8, 4, 1}) {
        Screen screen(640, 480, bpp);
        const COLORREF color = bpp == 1 ? kWhite : kRed | kBlue;
        screen.Paint(kFocus, 0, color);
        EXPECT_TRUE(screen.host.messages.empty()) << bpp;
        EXPECT_EQ(screen.At(79, 79), color) << bpp;
        EXPECT_EQ(LitPixels(screen), 63u) << bpp;
    }
}

// More than eight times as wide as high: one row of cells, dots in the top
// and bottom rows, no division by zero.
TEST(Focus, VeryWideScreenKeepsOneRowOfCells) {
    Screen screen(1000, 100);
    screen.Paint(kFocus, 0);
    EXPECT_EQ(screen.LitRowsInColumn(0), (std::vector<int>{0, 99}));
    EXPECT_EQ(screen.LitColumnsInRow(99), Fractions(1000, 8));
    EXPECT_EQ(LitPixels(screen), 18u);
}

}  // namespace
