// Picture 7, "Farbverläufe": one turn of the hue spectrum, a line per column.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <set>

#include "support/TestSupport.h"

namespace {

constexpr int kGradients = 7;

// The colour of gradient palette entry i.
COLORREF Entry(const CTestWnd& wnd, int i) {
    return wnd.HueColor((i * 6.0) / 229);
}

TEST(HueColor, WorkedPositionsComeOutExactly) {
    struct Case {
        double t;
        COLORREF rgb;
    };
    const Case cases[] = {
        {0, RGB(255, 0, 255)},
        {0.25, RGB(255, 0, 191)},
        {0.5, RGB(255, 0, 127)},
        {1, RGB(255, 0, 0)},
        {1.5, RGB(255, 127, 0)},
        {2, RGB(255, 255, 0)},
        {2.5, RGB(127, 255, 0)},
        {3, RGB(0, 255, 0)},
        {3.5, RGB(0, 255, 127)},
        {4, RGB(0, 255, 255)},
        {4.5, RGB(0, 127, 255)},
        {5, RGB(0, 0, 255)},
        {5.5, RGB(127, 0, 255)},
        {6, RGB(255, 0, 255)},
        {(19 * 6.0) / 229, RGB(254, 0, 128)},
        {(114 * 6.0) / 229, RGB(3, 255, 0)},
    };
    Screen screen(1, 1);
    for (const Case& c : cases) {
        EXPECT_EQ(screen.wnd.HueColor(c.t), c.rgb) << c.t;
    }
}

TEST(HueColor, RepeatsEveryTurnFarBeyondThe32BitRange) {
    Screen screen(1, 1);
    const CTestWnd& wnd = screen.wnd;
    for (double t : {0.0, 0.25, 1.5, 4.5, 5.75}) {
        for (double turns : {1e3, 4294967296.0, 1099511627776.0}) {
            EXPECT_EQ(wnd.HueColor(t + 6.0 * turns), wnd.HueColor(t)) << t << " " << turns;
        }
        // Below zero the spectrum repeats too.
        EXPECT_EQ(wnd.HueColor(t - 12.0), wnd.HueColor(t)) << t;
    }
    EXPECT_EQ(wnd.HueColor(-1.5), RGB(0, 127, 255));
}

TEST(HueColor, PositionsThatAreNoNumberShowTheStartOfTheSpectrum) {
    Screen screen(1, 1);
    const CTestWnd& wnd = screen.wnd;
    EXPECT_EQ(wnd.HueColor(std::numeric_limits<double>::quiet_NaN()), RGB(255, 0, 255));
    EXPECT_EQ(wnd.HueColor(std::numeric_limits<double>::infinity()), RGB(255, 0, 255));
    EXPECT_EQ(wnd.HueColor(-std::numeric_limits<double>::infinity()), RGB(255, 0, 255));
}

TEST(ColorGradients, WorkedColumnsOf640InTrueColourAndPaletteMode) {
    struct Case {
        std::uint32_t variant;
        COLORREF rgb[4];
        int entry[4];
    };
    const int columns[4] = {0, 160, 320, 639};
    const Case cases[] = {
        {0,
         {RGB(255, 0, 127), RGB(254, 255, 0), RGB(0, 255, 128), RGB(255, 0, 127)},
         {19, 76, 134, 19}},
        {1,
         {RGB(255, 0, 0), RGB(126, 255, 0), RGB(0, 253, 255), RGB(255, 0, 0)},
         {38, 95, 153, 38}},
        {11,
         {RGB(255, 0, 255), RGB(255, 128, 0), RGB(0, 255, 1), RGB(255, 0, 255)},
         {0, 57, 115, 0}},
    };
    for (const Case& c : cases) {
        Screen direct(640, 4);
        direct.Paint(kGradients, 1, kWhite, c.variant);
        Screen palette(640, 4, 8);
        palette.Paint(kGradients, 1, kWhite, c.variant);
        for (int i = 0; i < 4; ++i) {
            const int x = columns[i];
            EXPECT_EQ(direct.At(x, 0), c.rgb[i]) << c.variant << " x " << x;
            EXPECT_EQ(direct.At(x, 3), c.rgb[i]) << c.variant << " x " << x;
            EXPECT_EQ(palette.At(x, 2), Entry(palette.wnd, c.entry[i])) << c.variant << " x " << x;
        }
    }
}

// Columns of row 0 where two screens differ; every difference stays within
// maxStep per channel.
int DifferingColumns(const Screen& a, const Screen& b, int maxStep) {
    int differing = 0;
    for (int x = 0; x < a.surface.Width(); ++x) {
        const COLORREF ca = a.At(x, 0);
        const COLORREF cb = b.At(x, 0);
        if (ca != cb) {
            ++differing;
            EXPECT_LE(std::abs(GetRValue(ca) - GetRValue(cb)), maxStep) << x;
            EXPECT_LE(std::abs(GetGValue(ca) - GetGValue(cb)), maxStep) << x;
            EXPECT_LE(std::abs(GetBValue(ca) - GetBValue(cb)), maxStep) << x;
        }
    }
    return differing;
}

TEST(ColorGradients, FirstAndLastColumnsAgreeAndTwelveClicksAreOneTurn) {
    for (int bpp : {32, 8}) {
        for (int w : {640, 1366, 2}) {
            Screen start(w, 1, bpp);
            start.Paint(kGradients, 1, kWhite, 0);
            Screen turned(w, 1, bpp);
            turned.Paint(kGradients, 1, kWhite, 12);
            EXPECT_EQ(DifferingColumns(start, turned, 0), 0) << bpp << " " << w;
            for (std::uint32_t v = 0; v < 12; ++v) {
                Screen screen(w, 1, bpp);
                screen.Paint(kGradients, 1, kWhite, v);
                EXPECT_EQ(screen.At(0, 0), screen.At(w - 1, 0)) << bpp << " " << w << " " << v;
                // A turn later the sums round a little differently.
                Screen later(w, 1, bpp);
                later.Paint(kGradients, 1, kWhite, v + 12);
                EXPECT_LE(DifferingColumns(screen, later, 2), w / 100 + 1) << bpp << " " << v;
            }
        }
    }
}

TEST(ColorGradients, SixClicksStartHalfwayBetweenGreenAndCyan) {
    Screen screen(1366, 2);
    screen.Paint(kGradients, 1, kWhite, 6);
    EXPECT_EQ(screen.At(0, 0), RGB(0, 255, 127));
    // Each column advances the hue: neighbours differ somewhere on the way.
    std::set<COLORREF> colours;
    for (int x = 0; x < 1366; ++x) {
        colours.insert(screen.At(x, 1));
    }
    EXPECT_GT(colours.size(), 1000u);
}

TEST(ColorGradients, PaletteModeShowsAtMost230ColoursAndWrapsOnMagenta) {
    Screen screen(1920, 2, 8);
    screen.Paint(kGradients);
    EXPECT_LE(screen.DistinctColors(), 230u);
    EXPECT_GT(screen.DistinctColors(), 200u);

    // On 640 columns x = 582 has entry 228, x = 583 to 585 entry 229, and
    // x = 586 wraps to entry 0: 229 and 0 are both magenta.
    Screen narrow(640, 2, 8);
    narrow.Paint(kGradients);
    EXPECT_NE(narrow.At(582, 0), RGB(255, 0, 255));
    for (int x = 583; x <= 586; ++x) {
        EXPECT_EQ(narrow.At(x, 0), RGB(255, 0, 255)) << x;
    }
}

TEST(ColorGradients, SixteenColoursShowTheNearestAndTwoAreRefused) {
    Screen vga(640, 4, 4);
    vga.Paint(kGradients);
    EXPECT_TRUE(vga.host.messages.empty());
    EXPECT_LE(vga.DistinctColors(), 16u);
    EXPECT_GT(vga.DistinctColors(), 4u);

    Screen mono(640, 4, 1);
    mono.Paint(kGradients);
    EXPECT_EQ(mono.host.messages.size(), 1u);
    EXPECT_EQ(mono.DistinctColors(), 1u);
}

// One column: no span to divide by; it shows the first column's position.
TEST(ColorGradients, ScreenOneColumnWideShowsTheFirstColumn) {
    for (std::uint32_t v : {0u, 1u, 7u}) {
        Screen direct(1, 5);
        direct.Paint(kGradients, 1, kWhite, v);
        EXPECT_EQ(direct.At(0, 4), direct.wnd.HueColor(0.5 + v * 0.5)) << v;
        Screen palette(1, 5, 8);
        palette.Paint(kGradients, 1, kWhite, v);
        const int entry = static_cast<int>((0.5 + v * 0.5) * 230 / 6.0) % 230;
        EXPECT_EQ(palette.At(0, 4), Entry(palette.wnd, entry)) << v;
    }
}

// Near 2^32 clicks the positions exceed the 32-bit range; the colours still
// follow the same formulas, so the picture is that of the click count
// modulo 12 up to the rounding of the larger sums.
TEST(ColorGradients, ClickCountsNear2To32KeepTheTwelveClickTurn) {
    for (int bpp : {32, 8}) {
        for (std::uint32_t v : {4294967295u, 4294967290u, 2147483648u}) {
            Screen far(640, 1, bpp);
            far.Paint(kGradients, 1, kWhite, v);
            Screen near(640, 1, bpp);
            near.Paint(kGradients, 1, kWhite, v % 12);
            const int differing = DifferingColumns(far, near, 2);
            EXPECT_LE(differing, 4) << bpp << " " << v;
        }
    }
}

}  // namespace
