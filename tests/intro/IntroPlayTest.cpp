#include <gtest/gtest.h>

#include "IntroTestSupport.h"
#include "intro/Intro.h"
#include "support/TestSupport.h"

namespace {

using Phase = CIntro::Phase;
using Input = CIntro::Input;
constexpr COLORREF kLogoColor = RGB(40, 66, 132), kAny = 0xFFFFFFFF;
constexpr RECT kFinal{172, 299, 852, 469}, kTitle{172, 477, 852, 493}, kCredit{172, 509, 852, 525};

// 1360 x 340 units: at 1024 x 768 the final logo has exactly 2 x 2 units a pixel.
struct Rig {
    explicit Rig(int bitsPerPixel = 32)
        : surface(1024, 768, bitsPerPixel), intro(host, bitsPerPixel <= 8, 1024, 768) {
        EXPECT_TRUE(intro.LoadLogo(SolidLogo(1360, 340)));
    }
    bool StepAt(std::uint32_t ms) {
        host.now = ms;
        CDC dc(surface);
        const bool running = intro.Play(&dc);
        text = dc.GetTextColor();
        return running;
    }
    // Steps every 100 ms up to ms; false once the intro has ended.
    bool RunTo(std::uint32_t ms) {
        bool running = intro.GetPhase() != Phase::kStart || StepAt(host.now);
        while (running && host.now < ms) {
            running = StepAt(std::min(ms, host.now + 100));
        }
        return running;
    }
    // The lit columns of row y: first and one past the last.
    std::pair<int, int> Lit(int y) const {
        std::pair<int, int> span{-1, -1};
        for (int x = 0; x < 1024; ++x) {
            span =
                surface.PixelColor(x, y) ? std::pair(span.first < 0 ? x : span.first, x + 1) : span;
        }
        return span;
    }
    RecordingHost host;
    Surface surface;
    CIntro intro;
    COLORREF text = 0;
};

}  // namespace

TEST(IntroPlay, ZoomGrowsCentredFromAQuarterTo680PixelsAndCatchesUp) {
    EXPECT_EQ(ZoomFrameAt(0.0, 1024, 768, 0.25).dest, (RECT{427, 362, 597, 406}));
    EXPECT_EQ(ZoomFrameAt(1.0, 1024, 768, 0.25).dest, kFinal);
    Rig rig;
    CDC(rig.surface).FillRect(&kFinal, GetStockBrush(WHITE_BRUSH));
    ASSERT_TRUE(rig.StepAt(0));  // the screen is cleared first, the cursor hidden
    EXPECT_EQ(rig.Lit(300), std::pair(-1, -1));
    EXPECT_EQ(rig.host.cursorCount, -1);
    EXPECT_EQ(rig.Lit(384), std::pair(427, 597));
    EXPECT_EQ(rig.surface.PixelColor(512, 384), kLogoColor);
    EXPECT_EQ(rig.host.stepDelayMs, 0u);  // the next frame at once, inside the final one
    EXPECT_EQ(rig.host.stepRect, kFinal);
    ASSERT_TRUE(rig.StepAt(750));  // 0.15 further exactly: still zooming
    EXPECT_EQ(rig.intro.GetPhase(), Phase::kZoom);
    ASSERT_TRUE(rig.StepAt(1501));  // a frame further than that jumps to the end
    EXPECT_EQ(rig.intro.GetPhase(), Phase::kHoldAfterZoom);
    for (const int y : {299, 384, 468}) {
        EXPECT_EQ(rig.Lit(y), std::pair(172, 852)) << y;
    }
    EXPECT_EQ(rig.Lit(298).first + rig.Lit(469).first, -2);
    // Inside full; the last column holds only one of its two units.
    EXPECT_EQ(rig.surface.PixelColor(172, 384), kLogoColor);
    EXPECT_EQ(rig.surface.PixelColor(851, 384), RGB(20, 33, 66));
}

TEST(IntroPlay, PhasesFollowTheirDurations) {
    constexpr struct {
        std::uint32_t ms;
        Phase phase;
        std::uint32_t delay;  // until the next step, which repaints next
        RECT next;
        COLORREF text, paletteText;
    } kSteps[] = {
        {4900, Phase::kZoom, 0, kFinal, kAny, kAny},
        {5000, Phase::kHoldAfterZoom, 1000, kTitle, kAny, kAny},
        {5999, Phase::kHoldAfterZoom, 1, kTitle, kAny, kAny},
        {6000, Phase::kTitleFade, 16, kTitle, RGB(0, 0, 0), PALETTEINDEX(0)},
        {6750, Phase::kTitleFade, 16, kTitle, RGB(20, 33, 66), PALETTEINDEX(64)},
        {7500, Phase::kHoldAfterTitle, 2500, kCredit, kLogoColor, PALETTEINDEX(128)},
        {10000, Phase::kCredit1Fade, 16, kCredit, RGB(0, 0, 0), PALETTEINDEX(0)},
        {11500, Phase::kCredit2Fade, 16, {172, 525, 852, 541}, RGB(0, 0, 0), PALETTEINDEX(0)},
        {13000, Phase::kHoldAfterCredits, 5000, {0, 0, 1024, 768}, kLogoColor, PALETTEINDEX(128)},
        {17999, Phase::kHoldAfterCredits, 1, {0, 0, 1024, 768}, kAny, kAny},
    };
    for (const int bitsPerPixel : {32, 8}) {
        Rig rig(bitsPerPixel);
        for (const auto& step : kSteps) {
            ASSERT_TRUE(rig.RunTo(step.ms));
            EXPECT_EQ(rig.intro.GetPhase(), step.phase) << step.ms;
            EXPECT_EQ(rig.host.stepDelayMs, step.delay) << step.ms;
            EXPECT_EQ(rig.host.stepRect, step.next) << step.ms;
            const COLORREF text = bitsPerPixel == 8 ? step.paletteText : step.text;
            EXPECT_TRUE(text == kAny || rig.text == text) << step.ms;
        }
        EXPECT_EQ(rig.host.cursorCount, -1);
        EXPECT_FALSE(rig.StepAt(18000));  // about 18 seconds in all
        EXPECT_FALSE(rig.StepAt(18016));
        EXPECT_EQ(rig.host.cursorCount, 0);
    }
}

TEST(IntroSkip, InputCountsFromTheFirstHoldOnInTheOrderLeftRightKey) {
    const struct {
        Phase phase;  // when the inputs come; the step after them comes lateMs late
        std::vector<Input> inputs;
        std::uint32_t rightClicksLeft, lateMs = 1;
    } kCases[] = {
        {Phase::kZoom, {Input::kLeftButton, Input::kLeftButton, Input::kRightButton}, 1},
        {Phase::kZoom, {Input::kKey, Input::kRightButton, Input::kRightButton}, 1},
        {Phase::kZoom, {Input::kKey}, 0},
        {Phase::kHoldAfterZoom, {Input::kRightButton}, 0},
        {Phase::kHoldAfterZoom, {Input::kKey}, 0, 2000},  // the late hold ends, the fade skips
        {Phase::kTitleFade, {Input::kLeftButton}, 0},
        {Phase::kHoldAfterTitle, {Input::kKey}, 0},
        {Phase::kCredit1Fade, {Input::kKey}, 0},
        {Phase::kCredit2Fade, {Input::kLeftButton}, 0},
        {Phase::kHoldAfterCredits, {Input::kKey}, 0},
    };
    for (const auto& c : kCases) {
        Rig rig(8);
        rig.RunTo(0);
        while (rig.intro.GetPhase() != c.phase) {
            ASSERT_TRUE(rig.StepAt(rig.host.now + 100));
        }
        for (const Input input : c.inputs) {
            rig.intro.OnInput(input);
        }
        // The zoom goes on undisturbed to its end; later phases end at the next step.
        const bool zoom = c.phase == Phase::kZoom;
        EXPECT_EQ(rig.host.invalidations, zoom ? 0 : int(c.inputs.size()));
        EXPECT_TRUE(!zoom || rig.RunTo(5000 - 1));
        EXPECT_FALSE(rig.StepAt(zoom ? 5000 : rig.host.now + c.lateMs)) << int(c.phase);
        EXPECT_EQ(rig.Lit(384), std::pair(172, 852));
        EXPECT_EQ(rig.text, c.lateMs > 1 ? PALETTEINDEX(0) : rig.text);
        EXPECT_EQ(rig.host.cursorCount, 0);
        rig.intro.OnInput(Input::kRightButton);  // ignored once the intro has ended
        EXPECT_EQ(rig.intro.PendingRightClicks(), c.rightClicksLeft);
    }
}
