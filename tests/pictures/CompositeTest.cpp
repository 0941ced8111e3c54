// SPDX-License-Identifier: MIT
// Picture 12, the composite test card: its grid, bands, fields, patterns,
// labels and caption on the worked screens.
#include <gtest/gtest.h>

#include <algorithm>

#include "pictures/composite/CompositePicture.h"
#include "pictures/composite/ModeCaption.h"
#include "support/TestSupport.h"

namespace {

constexpr int kCard = 12;
constexpr COLORREF kBars[7] = {kRed, kBlue, kGreen, 0xFFFF00, 0x00FFFF, 0xFF00FF, kWhite};
constexpr COLORREF kGreys[7] = {0x242424, 0x484848, 0x6D6D6D, 0x919191,
                                0xB6B6B6, 0xDADADA, 0xFFFFFF};

// The worked screen of 1024 x 768 pixels.
struct Worked {
    int w, h;
    RECT bands[5];                          // colour, grating, caption, pattern and grey band
    int fieldX[7][2], colorY[2], greyY[2];  // the colour and grey fields
    RECT greyField, bars[2];                // the grating's grey field, its white and black bar
    RECT gratings[3];                       // vertical lines 2, 3 and 4 pixels apart
    RECT dotFields[3];   // of the first pattern strip: dots 2 and 4 apart, inverse 4
    RECT rightWords[3];  // the label fields
};
constexpr Worked kWorked = {
    1024,
    768,
    {{326, 48, 697, 191},
     {187, 192, 837, 335},
     {140, 336, 883, 383},
     {187, 432, 837, 575},
     {326, 576, 697, 719}},
    {{337, 383}, {387, 433}, {437, 484}, {488, 534}, {538, 585}, {589, 635}, {639, 686}},
    {61, 178},
    {589, 706},
    {196, 201, 828, 258},
    {{302, 212, 722, 223}, {302, 234, 722, 245}},
    {{196, 267, 396, 326}, {406, 267, 607, 326}, {617, 267, 828, 326}},
    {{386, 448, 443, 462}, {451, 448, 573, 462}, {581, 448, 638, 462}},
    {{558, 531, 635, 571}, {635, 531, 713, 571}, {713, 531, 791, 571}}};

// The one-pixel ring around r shows colour c.
bool RingIs(const Surface& s, const RECT& r, COLORREF c) {
    return IsFilled(s, {r.left - 1, r.top - 1, r.right + 1, r.top}, c) &&
           IsFilled(s, {r.left - 1, r.bottom, r.right + 1, r.bottom + 1}, c) &&
           IsFilled(s, {r.left - 1, r.top, r.left, r.bottom}, c) &&
           IsFilled(s, {r.right, r.top, r.right + 1, r.bottom}, c);
}

// r shows colour c and the one-pixel ring around it colour ring.
bool IsFieldOn(const Surface& s, const RECT& r, COLORREF c, COLORREF ring) {
    return IsFilled(s, r, c) && RingIs(s, r, ring);
}

// Dots on odd device rows at the field's left, on even rows half a pitch later.
bool IsDotField(const Surface& s, const RECT& field, int pitch, COLORREF dot, COLORREF ground) {
    bool right = true;
    for (int y = field.top; y < field.bottom; ++y) {
        for (int x = field.left; x < field.right; ++x) {
            const int offset = (x - field.left) % pitch;
            const bool isDot = y % 2 != 0 ? offset == 0 : offset == pitch / 2;
            right = right && s.PixelColor(x, y) == (isDot ? dot : ground);
        }
    }
    return right;
}

TEST(Composite, BandsFieldsAndPatternsOfTheWorkedScreen) {
    constexpr COLORREF kLabels[3] = {0x505050, 0x808080, 0xFFFFFF};
    const Worked& c = kWorked;
    Screen screen(c.w, c.h, 32, kCard);
    const Surface& s = screen.surface;
    // The grid's lines, except where bands and circles cover them.
    const int y = (8 * (c.h - 1) / 16 + 9 * (c.h - 1) / 16) / 2;
    const std::vector<int> lit = LitAt(Row(screen, y));
    for (int i = 0; i <= 22; ++i) {
        EXPECT_EQ(std::count(lit.begin(), lit.end(), i * (c.w - 1) / 22), 1) << i;
    }
    EXPECT_EQ(lit.size(), 23u + 2u);  // and the centre circle
    // Each band lies between grid lines and is black along its inside edge.
    for (const RECT& b : c.bands) {
        EXPECT_TRUE(RingIs(s, b, kWhite)) << b;
        EXPECT_TRUE(RingIs(s, {b.left + 1, b.top + 1, b.right - 1, b.bottom - 1}, kBlack)) << b;
    }
    for (int j = 0; j < 7; ++j) {
        const int* x = c.fieldX[j];
        EXPECT_TRUE(IsFieldOn(s, {x[0], c.colorY[0], x[1], c.colorY[1]}, kBars[j], kBlack)) << j;
        EXPECT_TRUE(IsFieldOn(s, {x[0], c.greyY[0], x[1], c.greyY[1]}, kGreys[j], kBlack)) << j;
    }
    // The grating field: grey with a white and a black bar, then three gratings.
    EXPECT_TRUE(IsFieldOn(s, c.bars[0], kWhite, kGray));
    EXPECT_TRUE(IsFieldOn(s, c.bars[1], kBlack, kGray));
    EXPECT_EQ(LitBounds(s, {c.bands[1].left, c.bands[1].top, c.bands[1].right, c.gratings[0].top}),
              c.greyField);
    for (int j = 0; j < 3; ++j) {
        const RECT& g = c.gratings[j];
        for (int x = g.left - 1; x <= g.right; ++x) {
            const bool lit = x >= g.left && x < g.right && (x - g.left) % (j + 2) == 0;
            EXPECT_TRUE(IsFilled(s, {x, g.top, x + 1, g.bottom}, lit ? kWhite : kBlack))
                << "grating " << j << " column " << x;
        }
    }
    // The first pattern strip's dot fields, black just right of them.
    for (int i = 0; i < 3; ++i) {
        const RECT& f = c.dotFields[i];
        EXPECT_TRUE(i < 2 ? IsDotField(s, f, 2 + 2 * i, kGray, kBlack)
                          : IsDotField(s, f, 4, kBlack, kGray))
            << f;
        EXPECT_TRUE(IsFilled(s, {f.right, f.top, f.right + 1, f.bottom}, kBlack)) << f;
    }
    // The label fields hold their words in the middle only.
    for (int i = 0; i < 3; ++i) {
        const RECT& r = c.rightWords[i];
        EXPECT_TRUE(IsFilled(s, {r.left, r.top, r.right, r.top + 2}, kLabels[i])) << i;
        EXPECT_TRUE(IsFilled(s, {r.left, r.bottom - 2, r.right, r.bottom}, kLabels[i])) << i;
        EXPECT_NE(LitBounds(s, r), (RECT{0, 0, 0, 0}));
    }
}

// Grid, circles and marks are drawn with the pen: in the gun colour outside palette
// mode, white in it. The centre circle touches the shorter sides; the outer
// corner circles end on the grid line after their fourth cell; their inner
// discs hide the grid. The fields keep their colours.
TEST(Composite, PenLinesAndCirclesByMode) {
    constexpr struct {
        int x, y;
        bool lit;
    } kPoints[] = {{0, 0, true},      {196, 300, true},  {205, 448, true},  {272, 448, true},
                   {128, 384, true},  {127, 384, false}, {895, 384, true},  {896, 384, false},
                   {93, 20, true},    {93, 95, false},   {930, 95, false},  {93, 671, false},
                   {930, 671, false}, {186, 96, true},   {187, 96, false},  {137, 95, false},
                   {339, 450, true},  {340, 450, false}, {205, 496, true},  {205, 457, true},
                   {17, 150, true},   {4, 150, false},   {206, 449, false}, {93, 540, true}};
    for (int bpp : {32, 16, 8, 4}) {
        Screen screen(1024, 768, bpp, kCard, 1, kGreen);
        const COLORREF pen = bpp <= 8 ? kWhite : kGreen;
        for (const auto& p : kPoints) {
            EXPECT_EQ(screen.At(p.x, p.y), p.lit ? pen : kBlack)
                << bpp << ": " << p.x << ", " << p.y;
        }
        EXPECT_EQ(screen.At(360, 100), kRed) << bpp;
        EXPECT_EQ(screen.At(400, 215), kWhite) << bpp;
    }
}

// The caption states the mode, the depth and refresh rate included; colour
// counts beyond 64 bits are 0. Sizes no display has draw nothing.
TEST(Composite, CaptionStatesTheMode) {
    Screen none(640, 480, 32, kCard);
    Screen sixty(640, 480);
    sixty.wnd.SetRefreshRate(60);
    sixty.Paint(kCard);
    EXPECT_FALSE(SamePixels(none.surface, sixty.surface));
    Screen deep(640, 480, 24, kCard);  // the colours of 32 bits
    EXPECT_FALSE(SamePixels(none.surface, deep.surface));
    constexpr struct {
        std::uint32_t w, h;
        int bpp, hz;
        const char* text;
    } kModes[] = {{4294967295u, 1, 63, 144,
                   "4294967295 x 1 pixels, 63 bit (9223372036854775808 colors), 144 Hz"},
                  {640, 480, 64, -5, "640 x 480 pixels, 64 bit (0 colors), -5 Hz"},
                  {0, 768, -1, 0, "0 x 768 pixels, -1 bit (0 colors), 0 Hz"},
                  {10, 16385, 1, 60, "10 x 16385 pixels, 1 bit (2 colors), 60 Hz"},
                  {16384, 0, 8, 75, "16384 x 0 pixels, 8 bit (256 colors), 75 Hz"}};
    for (const auto& c : kModes) {
        EXPECT_EQ(FormatModeCaption(c.w, c.h, c.bpp, c.hz), c.text);
        Screen screen(640, 480);
        CDC dc(screen.surface);
        CCompositePicture(false, c.w, c.h, 0).Draw(&dc, &screen.wnd);
        EXPECT_EQ(LitBounds(screen, {0, 0, 640, 480}) == (RECT{0, 0, 0, 0}), c.w != 640) << c.text;
    }
}

}  // namespace
