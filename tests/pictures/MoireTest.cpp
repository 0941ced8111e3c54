// Picture 6, "Moire": one-pixel checkerboard or square dots.
#include <gtest/gtest.h>

#include <functional>

#include "support/TestSupport.h"

namespace {

constexpr int kMoire = 6;

// Every pixel against the picture's rule: lit in `color` exactly where it says.
void ExpectPattern(const Screen& screen, COLORREF color, const std::function<bool(int, int)>& lit) {
    int wrong = 0;
    for (int y = 0; y < screen.surface.Height(); ++y) {
        for (int x = 0; x < screen.surface.Width(); ++x) {
            const COLORREF expected = lit(x, y) ? color : kBlack;
            if (screen.At(x, y) != expected && ++wrong <= 5) {
                ADD_FAILURE() << "pixel " << x << "," << y << " is " << std::hex << screen.At(x, y);
            }
        }
    }
    EXPECT_EQ(wrong, 0);
}

bool Checker(int x, int y) {
    return (x + y) % 2 == 0;
}

auto Dots(int n) {
    return [n](int x, int y) { return x % (2 * n) < n && y % (2 * n) < n; };
}

TEST(Moire, HighIsACheckerboardAtOddSizes) {
    for (const auto& [w, h] : {std::pair{641, 481}, std::pair{640, 480}, std::pair{1366, 767}}) {
        Screen screen(w, h);
        screen.Paint(kMoire, 2);
        ExpectPattern(screen, kWhite, Checker);
        if (w % 2 == 1) {
            EXPECT_TRUE(screen.Lit(w - 1, 0));
            EXPECT_FALSE(screen.Lit(w - 1, 1));
        }
    }
}

TEST(Moire, MediumAndLowAreSquareDotsOnTheirPitch) {
    for (const auto& [w, h] : {std::pair{640, 480}, std::pair{643, 481}, std::pair{1366, 768}}) {
        Screen medium(w, h);
        medium.Paint(kMoire, 1, kGreen);
        ExpectPattern(medium, kGreen, Dots(1));
        Screen low(w, h);
        low.Paint(kMoire, 0, kGreen);
        ExpectPattern(low, kGreen, Dots(2));
    }
}

TEST(Moire, LowWithALastGroupOfOneRow) {
    // H - 1 = 480 is a multiple of 4: the last group lights only row 480.
    Screen screen(64, 481);
    screen.Paint(kMoire, 0);
    EXPECT_TRUE(screen.Lit(0, 480));
    EXPECT_TRUE(screen.Lit(1, 480));
    EXPECT_FALSE(screen.Lit(2, 480));
    EXPECT_FALSE(screen.Lit(0, 479));
}

TEST(Moire, RightClicksRepaintItUnchanged) {
    Screen screen(320, 240);
    screen.Paint(kMoire, 0);
    Screen clicked(320, 240);
    clicked.Paint(kMoire, 0, kWhite, 5);
    EXPECT_TRUE(std::equal(clicked.surface.Pixels(), clicked.surface.Pixels() + 320 * 240,
                           screen.surface.Pixels()));
}

TEST(Moire, NeedsTwoHundredFiftySixColours) {
    Screen palette(65, 33, 8);
    palette.Paint(kMoire, 2, kRed);
    EXPECT_TRUE(palette.host.messages.empty());
    ExpectPattern(palette, kRed, Checker);

    for (int bpp : {4, 1}) {
        Screen refused(65, 33, bpp);
        refused.Paint(kMoire, 2);
        EXPECT_EQ(refused.host.messages.size(), 1u) << bpp;
        EXPECT_EQ(refused.DistinctColors(), 1u) << bpp;
        EXPECT_FALSE(refused.Lit(0, 0)) << bpp;
    }
}

}  // namespace
