// The pictures of coloured fields: gradients (7), colour bars (8), brightness
// distribution (9), brightness and contrast (10) and high voltage (11).
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "support/TestSupport.h"

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

// One turn of the spectrum is six units; the worked positions, far turns and
// positions that are no number (the start of the spectrum).
TEST(FieldPictures, HueColourOfTheWorkedPositions) {
    constexpr struct {
        double t;
        COLORREF rgb;
    } kHues[] = {
        {0, RGB(255, 0, 255)},
        {0.25, RGB(255, 0, 191)},
        {1, RGB(255, 0, 0)},
        {1.5, RGB(255, 127, 0)},
        {2.5, RGB(127, 255, 0)},
        {3.5, RGB(0, 255, 127)},
        {4.5, RGB(0, 127, 255)},
        {5.5, RGB(127, 0, 255)},
        {6, RGB(255, 0, 255)},
        {19 * 6.0 / 229, RGB(254, 0, 128)},
        {114 * 6.0 / 229, RGB(3, 255, 0)},
        {-1.5, RGB(0, 127, 255)},
        {1.5 + 6 * 4294967296.0, RGB(255, 127, 0)},
        {kNaN, RGB(255, 0, 255)},
        {kInf, RGB(255, 0, 255)},
        {-kInf, RGB(255, 0, 255)},
    };
    Screen screen(1, 1);
    for (const auto& c : kHues) {
        EXPECT_EQ(screen.wnd.HueColor(c.t), c.rgb) << c.t;
    }
}

// Columns 0, 160, 320 and 639 of 640 after a number of clicks: the colour in
// direct colour, the gradient palette entry (of 230) in palette mode.
TEST(FieldPictures, GradientColumnsOfTheWorkedScreen) {
    constexpr int kColumns[] = {0, 160, 320, 639};
    constexpr struct {
        std::uint32_t clicks;
        COLORREF rgb[4];
        int entry[4];
    } kCases[] = {
        {0,
         {RGB(255, 0, 127), RGB(254, 255, 0), RGB(0, 255, 128), RGB(255, 0, 127)},
         {19, 76, 134, 19}},
        {1,
         {RGB(255, 0, 0), RGB(126, 255, 0), RGB(0, 253, 255), RGB(255, 0, 0)},
         {38, 95, 153, 38}},
        {11,
         {RGB(255, 0, 255), RGB(255, 128, 0), RGB(0, 255, 1), RGB(255, 0, 255)},
         {0, 57, 115, 0}},
        {12,
         {RGB(255, 0, 127), RGB(254, 255, 0), RGB(0, 255, 128), RGB(255, 0, 127)},
         {19, 76, 134, 19}},
    };
    for (const auto& c : kCases) {
        Screen direct(640, 3);
        direct.Paint(7, 1, kRed, c.clicks);
        Screen palette(640, 3, 8);
        palette.Paint(7, 1, kRed, c.clicks);
        for (int i = 0; i < 4; ++i) {
            const int x = kColumns[i];
            EXPECT_EQ(direct.At(x, 2), c.rgb[i]) << c.clicks << " x " << x;
            EXPECT_EQ(palette.At(x, 1), palette.wnd.HueColor(c.entry[i] * 6.0 / 229)) << x;
        }
    }
    // Entry 229 and its wrap to entry 0 are both magenta.
    Screen palette(640, 1, 8);
    palette.Paint(7);
    EXPECT_NE(palette.At(582, 0), RGB(255, 0, 255));
    EXPECT_TRUE(IsFilled(palette.surface, {583, 0, 587, 1}, RGB(255, 0, 255)));
    // One column has no span to divide: it shows the first column's position.
    Screen narrow(1, 2);
    narrow.Paint(7, 1, kWhite, 7);
    EXPECT_EQ(narrow.At(0, 1), narrow.wnd.HueColor(0.5 + 7 * 0.5));
}

// Picture 8: bar i from ((p L) / d) to ((p + s) L) / d, p = -1 stepping by s
// (+ 1 with gaps); L the length the bars run along, d = 18 and s = 2 with
// gaps, else 19 and 3. Variant bit 0: no gaps; bit 1: bars along the height.
TEST(FieldPictures, ColourBarsInAllFourLayouts) {
    constexpr COLORREF kBars[6] = {0xFF00FF, kRed, 0x00FFFF, kGreen, 0xFFFF00, kBlue};
    constexpr struct {
        int length;
        int gaps[7][2], noGaps[7][2];
    } kWorked[] = {
        {640,
         {{-35, 35}, {71, 142}, {177, 248}, {284, 355}, {391, 462}, {497, 568}, {604, 675}},
         {{-33, 67}, {67, 168}, {168, 269}, {269, 370}, {370, 471}, {471, 572}, {572, 673}}},
        {1024,
         {{-56, 56}, {113, 227}, {284, 398}, {455, 568}, {625, 739}, {796, 910}, {967, 1080}},
         {{-53, 107}, {107, 269}, {269, 431}, {431, 592}, {592, 754}, {754, 916}, {916, 1077}}},
    };
    for (const auto& w : kWorked) {
        for (std::uint32_t variant = 0; variant < 4; ++variant) {
            const bool gaps = (variant & 1) == 0;
            const bool vertical = (variant & 2) == 0;
            for (int bpp : {32, 4}) {
                Screen screen(vertical ? w.length : 30, vertical ? 30 : w.length, bpp);
                screen.Paint(8, 1, kRed, variant);
                std::vector<COLORREF> want(static_cast<std::size_t>(w.length), kBlack);
                for (int i = 0; i < 7; ++i) {
                    const auto& bar = gaps ? w.gaps[i] : w.noGaps[i];
                    for (int p = std::max(0, bar[0]); p < std::min(w.length, bar[1]); ++p) {
                        want[static_cast<std::size_t>(p)] = kBars[i % 6];
                    }
                }
                for (int at : {0, 29}) {
                    std::vector<COLORREF> line;
                    for (int p = 0; p < w.length; ++p) {
                        line.push_back(vertical ? screen.At(p, at) : screen.At(at, p));
                    }
                    EXPECT_EQ(line, want) << w.length << " variant " << variant << " bpp " << bpp;
                }
            }
        }
    }
}

// Picture 9: the whole screen at 255, 170 or 85 of each selected gun, by the
// click count modulo 3; palette devices show the nearest colour they have.
TEST(FieldPictures, BrightnessDistributionIntensities) {
    constexpr struct {
        int bpp;
        COLORREF guns;
        std::uint32_t clicks;
        COLORREF field;
    } kCases[] = {
        {32, kRed, 0, RGB(255, 0, 0)},
        {32, kRed, 1, RGB(170, 0, 0)},
        {24, kWhite, 2, RGB(85, 85, 85)},
        {32, kGreen | kBlue, 3, RGB(0, 255, 255)},
        {8, kGreen | kBlue, 1, RGB(0, 170, 170)},
        {8, kWhite, 2, RGB(85, 85, 85)},
        {4, kWhite, 1, RGB(0xC0, 0xC0, 0xC0)},
    };
    for (const auto& c : kCases) {
        Screen screen(300, 200, c.bpp);
        screen.Paint(9, 1, c.guns, c.clicks);
        EXPECT_TRUE(IsFilled(screen.surface, {0, 0, 300, 200}, c.field))
            << c.bpp << " " << c.clicks << ": " << std::hex << screen.At(0, 0);
    }
}

// Picture 10: two groups of three nested grey rectangles; corners show their
// grey, the pixels just outside them the grey around. Guns, levels and
// clicks change nothing.
TEST(FieldPictures, BrightnessContrastRectangles) {
    struct Nested {
        int left, top, right, bottom, grey;
    };
    constexpr struct {
        int w, h;
        Nested rects[6];
    } kCases[] = {
        {640,
         480,
         {{64, 48, 576, 192, 45},
          {96, 72, 544, 168, 22},
          {128, 96, 512, 144, 0},
          {64, 288, 576, 432, 255},
          {96, 312, 544, 408, 232},
          {128, 336, 512, 383, 209}}},
        {1024,
         768,
         {{102, 76, 921, 307, 45},
          {153, 115, 870, 268, 22},
          {204, 153, 819, 230, 0},
          {102, 460, 921, 691, 255},
          {153, 499, 870, 652, 232},
          {204, 537, 819, 614, 209}}},
        {1366,
         768,
         {{136, 76, 1229, 307, 45},
          {204, 115, 1161, 268, 22},
          {273, 153, 1092, 230, 0},
          {136, 460, 1229, 691, 255},
          {204, 499, 1161, 652, 232},
          {273, 537, 1092, 614, 209}}},
    };
    for (const auto& c : kCases) {
        for (int bpp : {32, 8}) {
            Screen screen(c.w, c.h, bpp);
            screen.Paint(10, bpp == 8 ? 2 : 0, bpp == 8 ? kRed : kWhite, 3 * bpp, bpp);
            for (int i = 0; i < 6; ++i) {
                const Nested& r = c.rects[i];
                const BYTE g = static_cast<BYTE>(r.grey);
                const BYTE a = i % 3 == 0 ? 0 : static_cast<BYTE>(c.rects[i - 1].grey);
                const COLORREF grey = RGB(g, g, g);
                const COLORREF around = RGB(a, a, a);
                EXPECT_EQ(screen.At(r.left, r.top), grey) << c.w << " " << i;
                EXPECT_EQ(screen.At(r.right - 1, r.bottom - 1), grey) << c.w << " " << i;
                EXPECT_EQ(screen.At(r.left - 1, r.top), around) << c.w << " " << i;
                EXPECT_EQ(screen.At(r.left, r.top - 1), around) << c.w << " " << i;
                EXPECT_EQ(screen.At(r.right, r.bottom - 1), around) << c.w << " " << i;
                EXPECT_EQ(screen.At(r.right - 1, r.bottom), around) << c.w << " " << i;
            }
            EXPECT_EQ(DistinctColors(screen.surface), 6u);
        }
    }
}

// Picture 11: a white frame one pixel inside the screen's right and bottom
// edge that stays; Mittel's box (or, after odd clicks, three bands h high with
// one black line between them) blinks with the timer.
TEST(FieldPictures, HighVoltageBoxAndBandsInBothPhases) {
    constexpr struct {
        int w, h;
        RECT box;
        int h3;
    } kCases[] = {
        {640, 480, {12, 12, 627, 467}, 151},
        {1280, 1024, {25, 25, 1254, 998}, 324},
        {1366, 768, {27, 27, 1338, 740}, 237},
    };
    for (const auto& c : kCases) {
        for (std::uint32_t clicks : {0u, 1u}) {
            for (std::uint32_t ticks : {0u, 1u}) {
                Screen screen(c.w, c.h);
                screen.Paint(11, 1, kRed, clicks, ticks);
                std::vector<int> lit = {0};
                const int top = c.box.top;
                for (int y = top; y < c.box.bottom; ++y) {
                    const bool firstOrLast = y < top + c.h3 || y >= top + 2 * c.h3 + 2;
                    const bool middle = y > top + c.h3 && y <= top + 2 * c.h3;
                    if (clicks == 0 ? ticks == 0 : (ticks == 0 ? firstOrLast : middle)) {
                        lit.push_back(y);
                    }
                }
                lit.push_back(c.h - 2);
                for (int x :
                     {static_cast<int>(c.box.left), c.w / 2, static_cast<int>(c.box.right) - 1}) {
                    EXPECT_EQ(LitRowsInColumn(screen, x), lit) << c.w << " " << clicks << ticks;
                }
                const std::vector<int> frame = {0, c.h - 2};
                EXPECT_EQ(LitRowsInColumn(screen, c.box.left - 1), frame) << c.w;
                EXPECT_EQ(LitRowsInColumn(screen, c.box.right), frame) << c.w;
                EXPECT_EQ(LitColumnsInRow(screen, c.h - 1), std::vector<int>{}) << c.w;
                EXPECT_EQ(LitRowsInColumn(screen, c.w - 1), std::vector<int>{}) << c.w;
                EXPECT_EQ(screen.At(c.w - 2, c.h / 3), kWhite);
            }
        }
    }
}

}  // namespace
