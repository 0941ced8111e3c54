// Pictures 9 and 10: "Helligkeitsverteilung" (one flat field at three
// intensities) and "Helligkeit/Kontrast" (two groups of nested greys).
#include <gtest/gtest.h>

#include "support/TestSupport.h"

namespace {

constexpr int kDistribution = 9;
constexpr int kContrast = 10;

COLORREF Grey(int g) {
    return RGB(static_cast<BYTE>(g), static_cast<BYTE>(g), static_cast<BYTE>(g));
}

TEST(BrightnessDistribution, ThreeIntensitiesOfTheGunColour) {
    struct Case {
        COLORREF gun;
        COLORREF field[4];
    };
    const Case cases[] = {
        {kRed, {RGB(255, 0, 0), RGB(170, 0, 0), RGB(85, 0, 0), RGB(255, 0, 0)}},
        {kWhite, {Grey(255), Grey(170), Grey(85), Grey(255)}},
        {kGreen | kBlue, {RGB(0, 255, 255), RGB(0, 170, 170), RGB(0, 85, 85), RGB(0, 255, 255)}},
    };
    for (int bpp : {32, 24, 8}) {
        for (const Case& c : cases) {
            for (std::uint32_t v = 0; v < 4; ++v) {
                Screen screen(1366, 768, bpp);
                screen.Paint(kDistribution, 1, c.gun, v);
                EXPECT_EQ(screen.At(0, 0), c.field[v]) << bpp << " " << v;
                EXPECT_EQ(screen.At(1365, 767), c.field[v]) << bpp << " " << v;
                EXPECT_EQ(screen.DistinctColors(), 1u);
            }
        }
    }
}

TEST(BrightnessDistribution, AChangedGunKeepsTheIntensity) {
    Screen screen(64, 48);
    screen.Paint(kDistribution, 1, kRed, 2);
    screen.wnd.SetColor(kBlue);
    screen.Paint();
    EXPECT_EQ(screen.At(10, 10), RGB(0, 0, 85));
    screen.wnd.OnRButtonDown();
    screen.Paint();
    EXPECT_EQ(screen.At(10, 10), RGB(0, 0, 255));
}

TEST(BrightnessDistribution, SixteenColoursShowTheNearestAndTwoAreRefused) {
    Screen vga(64, 48, 4);
    vga.Paint(kDistribution, 1, kWhite, 1);
    EXPECT_TRUE(vga.host.messages.empty());
    EXPECT_EQ(vga.DistinctColors(), 1u);
    EXPECT_EQ(vga.At(5, 5), RGB(0xC0, 0xC0, 0xC0));  // nearest of the VGA colours to 170

    Screen mono(64, 48, 1);
    mono.Paint(kDistribution);
    EXPECT_EQ(mono.host.messages.size(), 1u);
    EXPECT_FALSE(mono.Lit(5, 5));
}

struct Rect {
    int left, top, right, bottom, grey;
};

// Each rectangle of a group lies inside the previous one: its corners show
// its grey, the pixels just outside them the grey around it.
void ExpectGroup(const Screen& screen, const Rect (&group)[3]) {
    COLORREF around = kBlack;
    for (const Rect& r : group) {
        const COLORREF grey = Grey(r.grey);
        EXPECT_EQ(screen.At(r.left, r.top), grey) << r.left << "," << r.top;
        EXPECT_EQ(screen.At(r.right - 1, r.bottom - 1), grey) << r.right << "," << r.bottom;
        EXPECT_EQ(screen.At(r.left - 1, r.top), around) << r.left << "," << r.top;
        EXPECT_EQ(screen.At(r.left, r.top - 1), around) << r.left << "," << r.top;
        EXPECT_EQ(screen.At(r.right, r.bottom - 1), around) << r.right << "," << r.bottom;
        EXPECT_EQ(screen.At(r.right - 1, r.bottom), around) << r.right << "," << r.bottom;
        around = grey;
    }
}

struct ContrastCase {
    int w, h;
    Rect upper[3], lower[3];
};
const ContrastCase kContrastCases[] = {
    {640,
     480,
     {{64, 48, 576, 192, 45}, {96, 72, 544, 168, 22}, {128, 96, 512, 144, 0}},
     {{64, 288, 576, 432, 255}, {96, 312, 544, 408, 232}, {128, 336, 512, 383, 209}}},
    {800,
     600,
     {{80, 60, 720, 240, 45}, {120, 90, 680, 210, 22}, {160, 120, 640, 180, 0}},
     {{80, 360, 720, 540, 255}, {120, 390, 680, 510, 232}, {160, 420, 640, 479, 209}}},
    {1024,
     768,
     {{102, 76, 921, 307, 45}, {153, 115, 870, 268, 22}, {204, 153, 819, 230, 0}},
     {{102, 460, 921, 691, 255}, {153, 499, 870, 652, 232}, {204, 537, 819, 614, 209}}},
    // By the same running sums at a size the worked table does not use.
    {1366,
     768,
     {{136, 76, 1229, 307, 45}, {204, 115, 1161, 268, 22}, {273, 153, 1092, 230, 0}},
     {{136, 460, 1229, 691, 255}, {204, 499, 1161, 652, 232}, {273, 537, 1092, 614, 209}}},
};

TEST(BrightnessContrast, WorkedRectanglesInTrueColourAndPaletteMode) {
    for (int bpp : {32, 8}) {
        for (const ContrastCase& c : kContrastCases) {
            Screen screen(c.w, c.h, bpp);
            screen.Paint(kContrast);
            ExpectGroup(screen, c.upper);
            ExpectGroup(screen, c.lower);
            EXPECT_EQ(screen.DistinctColors(), 6u) << c.w << " " << bpp;
        }
    }
}

TEST(BrightnessContrast, ClicksGunsAndLevelsChangeNothing) {
    Screen plain(640, 480);
    plain.Paint(kContrast);
    Screen changed(640, 480);
    changed.Paint(kContrast, 2, kRed, 3, 5);
    EXPECT_TRUE(std::equal(plain.surface.Pixels(), plain.surface.Pixels() + 640 * 480,
                           changed.surface.Pixels()));
}

TEST(BrightnessContrast, TwoColoursShowTheNearestOfBlackAndWhite) {
    Screen mono(640, 480, 1);
    mono.Paint(kContrast);
    EXPECT_TRUE(mono.host.messages.empty());
    EXPECT_EQ(mono.At(64, 48), kBlack);    // grey 45
    EXPECT_EQ(mono.At(64, 288), kWhite);   // white
    EXPECT_EQ(mono.At(128, 336), kWhite);  // grey 209
}

}  // namespace
