// SPDX-License-Identifier: MIT
// The pictures of coloured fields: gradients (7), colour bars (8), brightness
// distribution (9), brightness and contrast (10) and high voltage (11).
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "support/TestSupport.h"

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

// Picture 7. One turn of the spectrum is six units: the hue of the worked
// positions, of far turns and of positions that are no number (the start of
// the spectrum). Columns 0, 160, 320 and 639 of 640 after a number of clicks
// (twelve more give the same), in direct colour and as the entry (of 230) of
// the gradient palette; a single column takes the first column's position.
TEST(FieldPictures, GradientColoursOfTheWorkedPositionsAndColumns) {
    constexpr struct {
        double t;
        COLORREF rgb;
    } kHues[] = {{0.25, RGB(255, 0, 191)}, {5.5, RGB(127, 0, 255)},
                 {-1.5, RGB(0, 127, 255)}, {1.5 + 6 * 4294967296.0, RGB(255, 127, 0)},
                 {kNaN, RGB(255, 0, 255)}, {kInf, RGB(255, 0, 255)},
                 {-kInf, RGB(255, 0, 255)}};
    Screen narrow(1, 2, 32, 7, 1, kWhite, 7);
    for (const auto& c : kHues) {
        EXPECT_EQ(narrow.wnd.HueColor(c.t), c.rgb) << c.t;
    }
    EXPECT_EQ(narrow.At(0, 1), narrow.wnd.HueColor(0.5 + 7 * 0.5));
    constexpr int kColumns[] = {0, 160, 320, 639};
    constexpr struct {
        std::uint32_t clicks;
        COLORREF rgb[4];
        int entry[4];
    } kCases[] = {{0,
                   {RGB(255, 0, 127), RGB(254, 255, 0), RGB(0, 255, 128), RGB(255, 0, 127)},
                   {19, 76, 134, 19}},
                  {1,
                   {RGB(255, 0, 0), RGB(126, 255, 0), RGB(0, 253, 255), RGB(255, 0, 0)},
                   {38, 95, 153, 38}}};
    for (const auto& c : kCases) {
        for (std::uint32_t clicks : {c.clicks, c.clicks + 12}) {
            Screen direct(640, 3, 32, 7, 1, kRed, clicks);
            Screen palette(640, 3, 8, 7, 1, kRed, clicks);
            for (int i = 0; i < 4; ++i) {
                const int x = kColumns[i];
                EXPECT_EQ(direct.At(x, 0), c.rgb[i]) << clicks << " x " << x;
                EXPECT_EQ(palette.At(x, 2), palette.wnd.HueColor(c.entry[i] * 6.0 / 229)) << x;
            }
        }
    }
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
         {{-53, 107}, {107, 269}, {269, 431}, {431, 592}, {592, 754}, {754, 916}, {916, 1077}}}};
    for (const auto& w : kWorked) {
        for (std::uint32_t variant = 0; variant < 4; ++variant) {
            const bool gaps = (variant & 1) == 0;
            const bool vertical = (variant & 2) == 0;
            for (int bpp : {32, 4}) {
                Screen screen(vertical ? w.length : 30, vertical ? 30 : w.length, bpp, 8, 1, kRed,
                              variant);
                std::vector<COLORREF> want(static_cast<std::size_t>(w.length), kBlack);
                for (int i = 0; i < 7; ++i) {
                    const auto& bar = gaps ? w.gaps[i] : w.noGaps[i];
                    for (int p = std::max(0, bar[0]); p < std::min(w.length, bar[1]); ++p) {
                        want[static_cast<std::size_t>(p)] = kBars[i % 6];
                    }
                }
                for (int at : {0, 29}) {
                    EXPECT_EQ(vertical ? Row(screen, at) : Column(screen, at), want)
                        << w.length << " variant " << variant << " bpp " << bpp;
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
    } kCases[] = {{32, kRed, 1, RGB(170, 0, 0)},
                  {32, kGreen | kBlue, 3, RGB(0, 255, 255)},
                  {8, kGreen | kBlue, 1, RGB(0, 170, 170)},
                  {24, kWhite, 2, RGB(85, 85, 85)}};
    for (const auto& c : kCases) {
        Screen screen(300, 200, c.bpp, 9, 1, c.guns, c.clicks);
        EXPECT_TRUE(IsFilled(screen, {0, 0, 300, 200}, c.field))
            << c.bpp << " " << c.clicks << ": " << std::hex << screen.At(0, 0);
    }
}

// Picture 10: two groups of three nested grey rectangles, whose edges the
// runs down the middle column and along a row through the inner rectangles
// show. Guns, levels and clicks change nothing.
TEST(FieldPictures, BrightnessContrastRectangles) {
    constexpr BYTE kDownTheMiddle[12] = {45, 22, 0, 22, 45, 0, 255, 232, 209, 232, 255, 0};
    // The edges on a 640 x 480 screen: of the upper group, then of the lower one.
    constexpr int kX[6] = {64, 96, 128, 512, 544, 576};
    constexpr int kY[12] = {48, 72, 96, 144, 168, 192, 288, 312, 336, 383, 408, 432};
    Runs column = {{0, kBlack}};
    Runs row = {{0, kBlack}};
    for (int i = 0; i < 12; ++i) {
        const BYTE g = kDownTheMiddle[i];
        column.emplace_back(kY[i], RGB(g, g, g));
        if (i < 6) {
            row.emplace_back(kX[i], RGB(g, g, g));
        }
    }
    for (int bpp : {32, 8}) {
        Screen screen(640, 480, bpp, 10, bpp == 8 ? 2 : 0, bpp == 8 ? kRed : kWhite, 3 * bpp, bpp);
        EXPECT_EQ(RunsOf(Column(screen, 320)), column) << bpp;
        EXPECT_EQ(RunsOf(Row(screen, kY[2])), row) << bpp;
    }
}

// Runs along a line of n pixels that the white frame crosses at 0 and n - 2,
// white on the spans [a, b) between.
Runs Framed(int n, const std::vector<std::pair<int, int>>& spans) {
    Runs runs = {{0, kWhite}, {1, kBlack}};
    for (const auto& [a, b] : spans) {
        runs.insert(runs.end(), {{a, kWhite}, {b, kBlack}});
    }
    runs.insert(runs.end(), {{n - 2, kWhite}, {n - 1, kBlack}});
    return runs;
}

// Picture 11: a white frame one pixel inside the screen's right and bottom
// edge that stays; Mittel's box (or, after odd clicks, three bands h3 high
// with one black line between them) blinks with the timer.
TEST(FieldPictures, HighVoltageBoxAndBandsInBothPhases) {
    constexpr struct {
        int w, h;
        RECT box;
        int h3;
    } kCases[] = {{640, 480, {12, 12, 627, 467}, 151}, {1366, 768, {27, 27, 1338, 740}, 237}};
    for (const auto& c : kCases) {
        const int top = c.box.top;
        const int h3 = c.h3;
        using Spans = std::vector<std::pair<int, int>>;
        const Spans kDownTheMiddle[2][2] = {{{{top, c.box.bottom}}, {}},
                                            {{{top, top + h3}, {top + 2 * h3 + 2, c.box.bottom}},
                                             {{top + h3 + 1, top + 2 * h3 + 1}}}};
        for (std::uint32_t clicks : {0u, 1u}) {
            for (std::uint32_t ticks : {0u, 1u}) {
                Screen screen(c.w, c.h, 32, 11, 1, kRed, clicks, ticks);
                EXPECT_EQ(RunsOf(Column(screen, c.w / 2)),
                          Framed(c.h, kDownTheMiddle[clicks][ticks]))
                    << c.w << " " << clicks << ticks;
                EXPECT_EQ(RunsOf(Row(screen, top)),
                          Framed(c.w, ticks == 0 ? Spans{{c.box.left, c.box.right}} : Spans{}))
                    << c.w << " " << clicks << ticks;
            }
        }
    }
}

}  // namespace
