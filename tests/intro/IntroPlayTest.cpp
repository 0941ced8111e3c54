// SPDX-License-Identifier: MIT
// The intro as the test window plays it on its first paints: each paint one
// step at the host's clock, clicks and keys through the window, the picture
// once the intro has ended; the image the logo is drawn into.
#include <gtest/gtest.h>

#include "IntroTestSupport.h"
#include "support/TestSupport.h"

namespace {

constexpr COLORREF kLogoColor = RGB(40, 66, 132), kAny = 0xFFFFFFFF;
constexpr RECT kScreen{0, 0, 1024, 768}, kFinal{172, 299, 852, 469};
constexpr RECT kTitle{172, 477, 852, 493}, kCredit{172, 509, 852, 525};

// 1360 x 340 units: at 1024 x 768 the final logo has exactly 2 x 2 units a pixel.
const std::string& LogoPath() {
    static const std::string path =
        WriteTempFile("zynlogo.dta", LogoOf(std::vector<std::string>(340, std::string(1360, '#'))));
    return path;
}

// A white final logo box, then the first paint at 0 ms.
struct Rig : Screen {
    explicit Rig(int bitsPerPixel = 32, const std::string& logo = LogoPath())
        : Screen(1024, 768, bitsPerPixel) {
        wnd.SetLogoPath(logo);
        CDC(surface).FillRect(&kFinal, GetStockBrush(WHITE_BRUSH));
        PaintAt(0);
    }
    // One paint of area at ms; true while the intro runs.
    bool PaintAt(std::uint32_t ms, const RECT& area = kScreen) {
        host.now = ms;
        CDC dc(surface, area);
        wnd.OnPaint(&dc);
        text = dc.GetTextColor();
        return wnd.IsIntroRunning();
    }
    // Paints every 100 ms up to ms; false once the intro has ended.
    bool RunTo(std::uint32_t ms) {
        while (wnd.IsIntroRunning() && host.now < ms) {
            PaintAt(std::min(ms, host.now + 100));
        }
        return wnd.IsIntroRunning();
    }
    // The bounds of what is lit above the text lines: the logo.
    RECT LogoBounds() const { return LitBounds(surface, {0, 0, 1024, kFinal.bottom + 1}); }
    // The screen shows the current picture, as a paint without intro draws it.
    bool ShowsPicture() const {
        Screen expected(1024, 768, surface.BitsPerPixel());
        expected.Paint(wnd.Picture(), wnd.Resolution(), wnd.Color(), wnd.Variant());
        return SamePixels(surface, expected.surface);
    }
    COLORREF text = 0;
};

}  // namespace

TEST(IntroPlay, ZoomGrowsCentredFromAQuarterTo680PixelsAndCatchesUp) {
    for (const int bitsPerPixel : {32, 8}) {
        Rig rig(bitsPerPixel);  // the screen is cleared first, the cursor hidden
        EXPECT_EQ(rig.host.cursorCount, -1);
        // 170 x 42.5 pixels from 362.75 down: the row above the logo counts nothing.
        EXPECT_EQ(rig.LogoBounds(), (RECT{427, 363, 597, 404}));
        EXPECT_EQ(rig.At(512, 384), kLogoColor);
        EXPECT_EQ(rig.host.stepDelayMs, 0u);  // the next frame at once, inside the final one
        EXPECT_EQ(rig.host.stepRect, kFinal);
        ASSERT_TRUE(rig.PaintAt(750));  // 0.15 further exactly: still zooming
        EXPECT_EQ(rig.host.stepRect, kFinal);
        ASSERT_TRUE(rig.PaintAt(1501));  // a frame further than that jumps to the end
        EXPECT_EQ(rig.host.stepRect, kTitle);
        EXPECT_EQ(rig.LogoBounds(), kFinal);
        // Inside full; the last column holds only one of its two units.
        EXPECT_EQ(rig.At(172, 384), kLogoColor);
        EXPECT_EQ(rig.At(851, 384), RGB(20, 33, 66));
    }
}

// Zoom 5 s, hold 1 s, the title fades in over 1.5 s, hold 2.5 s, the credit
// lines fade in one after the other, hold 5 s.
TEST(IntroPlay, PhasesFollowTheirDurations) {
    constexpr struct {
        std::uint32_t ms;
        std::uint32_t delay;  // until the next step, which repaints next
        RECT next;
        COLORREF text, paletteText;
    } kSteps[] = {
        {5000, 1000, kTitle, kAny, kAny},
        {5999, 1, kTitle, kAny, kAny},
        {6000, 16, kTitle, RGB(0, 0, 0), PALETTEINDEX(0)},
        {6750, 16, kTitle, RGB(20, 33, 66), PALETTEINDEX(64)},
        {7500, 2500, kCredit, kLogoColor, PALETTEINDEX(128)},
        {10000, 16, kCredit, RGB(0, 0, 0), PALETTEINDEX(0)},
        {11500, 16, {172, 525, 852, 541}, RGB(0, 0, 0), PALETTEINDEX(0)},
        {13000, 5000, kScreen, kLogoColor, PALETTEINDEX(128)},
    };
    for (const int bitsPerPixel : {32, 8}) {
        Rig rig(bitsPerPixel);
        for (const auto& step : kSteps) {
            ASSERT_TRUE(rig.RunTo(step.ms));
            EXPECT_EQ(rig.host.stepDelayMs, step.delay) << step.ms;
            EXPECT_EQ(rig.host.stepRect, step.next) << step.ms;
            const COLORREF text = bitsPerPixel == 8 ? step.paletteText : step.text;
            EXPECT_TRUE(text == kAny || rig.text == text) << step.ms;
        }
        EXPECT_EQ(rig.host.cursorCount, -1);
        // The three lines in the 16-pixel font, right-aligned to the logo.
        EXPECT_EQ(LitBounds(rig.surface, {0, kFinal.bottom, 1024, 768}),
                  (RECT{574, 480, 851, 540}));
        // About 18 seconds in all; a last step painted without the top row
        // or the left column asks for the whole screen again.
        const int invalidations = rig.host.invalidations;
        const RECT partial = bitsPerPixel == 8 ? RECT{1, 0, 1024, 768} : RECT{0, 1, 1024, 768};
        EXPECT_FALSE(rig.PaintAt(18000, partial));
        EXPECT_EQ(rig.host.invalidations, invalidations + 1);
        rig.PaintAt(18001);
        EXPECT_TRUE(rig.ShowsPicture());
        EXPECT_EQ(rig.host.cursorCount, 0);
        EXPECT_EQ(rig.host.introEnded, 1);
    }
}

// A click or key ends the intro at the next step once the zoom is over; one
// input ends it, left clicks first, then right clicks, then keys. Right clicks
// that did not end it step the picture's variant.
TEST(IntroSkip, InputCountsFromTheFirstHoldOnInTheOrderLeftRightKey) {
    using Input = void (*)(CTestWnd&);
    constexpr Input L = [](CTestWnd& w) { w.OnLButtonDown(); };
    constexpr Input R = [](CTestWnd& w) { w.OnRButtonDown(); };
    constexpr Input K = [](CTestWnd& w) { w.OnKeyDown(); };
    // The inputs come at ms, the paint after them lateMs later: in the last
    // case after the hold's deadline, so that the title's first frame sees them.
    const struct {
        std::uint32_t ms;
        std::vector<Input> inputs;
        std::uint32_t variant, lateMs = 1;
    } kCases[] = {{0, {L, L, R}, 1}, {0, {K, R, R}, 1},   {0, {K}, 0},     {5000, {R}, 0},
                  {6000, {L}, 0},    {7500, {K}, 0},      {10000, {K}, 0}, {11500, {L}, 0},
                  {13000, {K}, 0},   {5000, {K}, 0, 2000}};
    for (const auto& c : kCases) {
        Rig rig(8);
        rig.RunTo(c.ms);
        const int invalidations = rig.host.invalidations;
        for (const Input input : c.inputs) {
            input(rig.wnd);
        }
        // The zoom goes on undisturbed to its end; later phases end at the next step.
        const bool zoom = c.ms < 5000;
        EXPECT_EQ(rig.host.invalidations - invalidations, zoom ? 0 : int(c.inputs.size()));
        EXPECT_TRUE(!zoom || rig.RunTo(5000 - 1));
        // The step is painted where it was asked for; the picture needs the whole screen.
        const RECT area = rig.host.stepRect;
        EXPECT_FALSE(rig.PaintAt(zoom ? 5000 : rig.host.now + c.lateMs, area)) << c.ms;
        EXPECT_EQ(rig.host.invalidations - invalidations,
                  int(zoom ? 0 : c.inputs.size()) + (area != kScreen) + (c.variant != 0));
        EXPECT_TRUE(c.lateMs == 1 || rig.text == PALETTEINDEX(0)) << c.ms;
        EXPECT_EQ(rig.host.cursorCount, 0);
        EXPECT_EQ(rig.host.introEnded, 1);
        EXPECT_EQ(rig.wnd.Variant(), c.variant);
        rig.PaintAt(rig.host.now);
        EXPECT_TRUE(rig.ShowsPicture()) << c.ms;
    }
}

TEST(LogoImage, SizeFollowsTheScreenWidth) {
    // Width (2W / 3 + 16) rounded up to whole words; height = width x B / A, truncated.
    constexpr int kSizes[][3] = {{640, 444, 148}, {799, 548, 182}, {1920, 1296, 432}};
    for (const auto& [screenWidth, width, height] : kSizes) {
        RecordingHost host;
        CIntro intro(host, false, screenWidth, 480);
        ASSERT_TRUE(intro.LoadLogo(LogoOf({"###"})));
        EXPECT_EQ(std::pair(intro.Image().Width(), intro.Image().Height()),
                  std::pair(width, height));
    }
}
