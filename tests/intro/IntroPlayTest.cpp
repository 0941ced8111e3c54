#include <gtest/gtest.h>

#include "IntroTestSupport.h"
#include "intro/Intro.h"
#include "support/TestSupport.h"

namespace {

using Phase = CIntro::Phase;
using Input = CIntro::Input;
constexpr COLORREF kLogoColor = RGB(40, 66, 132);
constexpr RECT kFinal{172, 299, 852, 469};
constexpr RECT kTitle{172, 477, 852, 493};

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
        textColor = dc.GetTextColor();
        return running;
    }
    // Steps every 100 ms up to ms; false once the intro has ended.
    bool RunTo(std::uint32_t ms) {
        while (host.now + 100 < ms && StepAt(host.now + 100)) {
        }
        return host.now + 100 < ms ? false : StepAt(ms);
    }
    std::pair<int, int> LitSpan(int y) const {
        std::pair<int, int> span{-1, -1};
        for (int x = 0; x < 1024; ++x) {
            if (surface.PixelColor(x, y) != 0) {
                span = {span.first < 0 ? x : span.first, x + 1};
            }
        }
        return span;
    }
    RecordingHost host;
    Surface surface;
    CIntro intro;
    COLORREF textColor = 0;
};

}  // namespace

TEST(IntroPlay, ZoomGrowsCentredFromAQuarterTo680Pixels) {
    EXPECT_EQ(ZoomFrameAt(0.0, 1024, 768, 0.25).dest, (RECT{427, 362, 597, 406}));
    EXPECT_EQ(ZoomFrameAt(1.0, 1024, 768, 0.25).dest, kFinal);
    Rig rig;
    CDC(rig.surface).FillRect(&kFinal, GetStockBrush(WHITE_BRUSH));
    ASSERT_TRUE(rig.StepAt(0));
    EXPECT_EQ(rig.host.cursorCount, -1);
    EXPECT_EQ(rig.surface.PixelColor(172, 299), 0u);  // the screen is cleared first
    EXPECT_EQ(rig.LitSpan(384), std::make_pair(427, 597));
    EXPECT_EQ(rig.surface.PixelColor(512, 384), kLogoColor);
    for (std::uint32_t ms = 100; ms < 5000; ms += 100) {
        const int width = rig.LitSpan(384).second - rig.LitSpan(384).first;
        ASSERT_TRUE(rig.StepAt(ms));
        EXPECT_EQ(rig.LitSpan(384).first + rig.LitSpan(384).second, 1024) << ms;
        EXPECT_GE(rig.LitSpan(384).second - rig.LitSpan(384).first, width) << ms;
        EXPECT_EQ(rig.host.stepDelayMs, 0u);  // the next frame at once, inside the final one
        EXPECT_EQ(rig.host.stepRect, kFinal);
    }
    EXPECT_EQ(rig.intro.GetPhase(), Phase::kZoom);
    ASSERT_TRUE(rig.StepAt(5000));
    EXPECT_EQ(rig.intro.GetPhase(), Phase::kHoldAfterZoom);
    for (const int y : {299, 384, 468}) {
        EXPECT_EQ(rig.LitSpan(y), std::make_pair(172, 852)) << y;
    }
    EXPECT_EQ(rig.LitSpan(298).first + rig.LitSpan(469).first, -2);
    // Inside full; the last column holds only one of its two units.
    EXPECT_EQ(rig.surface.PixelColor(172, 384), kLogoColor);
    EXPECT_EQ(rig.surface.PixelColor(851, 384), RGB(20, 33, 66));
}

TEST(IntroPlay, SlowFramesCatchUpToTheEnd) {
    Rig rig;
    ASSERT_TRUE(rig.StepAt(0));
    ASSERT_TRUE(rig.StepAt(750));  // 0.15 exactly: still zooming
    EXPECT_EQ(rig.intro.GetPhase(), Phase::kZoom);
    ASSERT_TRUE(rig.StepAt(1501));
    EXPECT_EQ(rig.intro.GetPhase(), Phase::kHoldAfterZoom);
    EXPECT_EQ(rig.LitSpan(384), std::make_pair(172, 852));
}

TEST(IntroPlay, PhasesFollowTheirDurations) {
    constexpr RECT kCredit1{172, 509, 852, 525};
    constexpr RECT kScreen{0, 0, 1024, 768};
    constexpr COLORREF kAny = 0xFFFFFFFF;
    constexpr struct {
        std::uint32_t ms;
        Phase phase;
        std::uint32_t delay;  // until the step after this one
        RECT next;            // the area it repaints
        COLORREF text, paletteText;
    } kSteps[] = {
        {5000, Phase::kHoldAfterZoom, 1000, kTitle, kAny, kAny},
        {5999, Phase::kHoldAfterZoom, 1, kTitle, kAny, kAny},
        {6000, Phase::kTitleFade, 16, kTitle, RGB(0, 0, 0), PALETTEINDEX(0)},
        {6750, Phase::kTitleFade, 16, kTitle, RGB(20, 33, 66), PALETTEINDEX(64)},
        {7500, Phase::kHoldAfterTitle, 2500, kCredit1, kLogoColor, PALETTEINDEX(128)},
        {10000, Phase::kCredit1Fade, 16, kCredit1, RGB(0, 0, 0), PALETTEINDEX(0)},
        {11500, Phase::kCredit2Fade, 16, {172, 525, 852, 541}, RGB(0, 0, 0), PALETTEINDEX(0)},
        {13000, Phase::kHoldAfterCredits, 5000, kScreen, kLogoColor, PALETTEINDEX(128)},
        {17999, Phase::kHoldAfterCredits, 1, kScreen, kAny, kAny},
    };
    for (const int bitsPerPixel : {32, 8}) {
        Rig rig(bitsPerPixel);
        ASSERT_TRUE(rig.StepAt(0));
        for (const auto& step : kSteps) {
            ASSERT_TRUE(rig.RunTo(step.ms));
            EXPECT_EQ(rig.intro.GetPhase(), step.phase) << step.ms;
            EXPECT_EQ(rig.host.stepDelayMs, step.delay) << step.ms;
            EXPECT_EQ(rig.host.stepRect, step.next) << step.ms;
            const COLORREF text = bitsPerPixel == 8 ? step.paletteText : step.text;
            EXPECT_TRUE(text == kAny || rig.textColor == text) << step.ms;
        }
        EXPECT_EQ(rig.host.cursorCount, -1);
        EXPECT_FALSE(rig.StepAt(18000));  // about 18 seconds in all
        EXPECT_FALSE(rig.StepAt(18016));
        EXPECT_EQ(rig.host.cursorCount, 0);
    }
}

TEST(IntroSkip, InputIsLookedAtFromTheFirstHoldOnInTheOrderLeftRightKey) {
    const struct {
        Phase phase;  // when the input comes
        std::vector<Input> inputs;
        std::uint32_t rightClicksLeft;
    } kCases[] = {
        {Phase::kZoom, {Input::kLeftButton}, 0},
        {Phase::kZoom, {Input::kRightButton}, 0},
        {Phase::kZoom,
         {Input::kKey, Input::kRightButton, Input::kRightButton, Input::kLeftButton,
          Input::kLeftButton},
         2},
        {Phase::kZoom, {Input::kKey, Input::kRightButton}, 0},
        {Phase::kHoldAfterZoom, {Input::kKey}, 0},
        {Phase::kTitleFade, {Input::kLeftButton}, 0},
        {Phase::kHoldAfterTitle, {Input::kRightButton}, 0},
        {Phase::kCredit1Fade, {Input::kKey}, 0},
        {Phase::kCredit2Fade, {Input::kLeftButton}, 0},
        {Phase::kHoldAfterCredits, {Input::kKey}, 0},
    };
    for (const auto& c : kCases) {
        Rig rig(8);
        ASSERT_TRUE(rig.StepAt(0));
        while (rig.intro.GetPhase() != c.phase) {
            ASSERT_TRUE(rig.StepAt(rig.host.now + 100));
        }
        for (const Input input : c.inputs) {
            rig.intro.OnInput(input);
        }
        // The zoom goes on undisturbed; later phases end at the next step.
        EXPECT_EQ(rig.host.invalidations, c.phase == Phase::kZoom ? 0 : int(c.inputs.size()));
        const std::uint32_t end = c.phase == Phase::kZoom ? 5000 : rig.host.now + 1;
        if (c.phase == Phase::kZoom) {
            ASSERT_TRUE(rig.RunTo(4999));
        }
        EXPECT_FALSE(rig.StepAt(end)) << int(c.phase);
        EXPECT_EQ(rig.host.cursorCount, 0);
        EXPECT_EQ(rig.intro.PendingRightClicks(), c.rightClicksLeft);
        rig.intro.OnInput(Input::kRightButton);  // ignored once the intro has ended
        EXPECT_EQ(rig.intro.PendingRightClicks(), c.rightClicksLeft);
    }
}

TEST(IntroSkip, LateHoldsMoveOnWithoutLookingForInput) {
    // The fade that follows draws once and then finds the skip.
    Rig rig;
    ASSERT_TRUE(rig.RunTo(5000));
    rig.intro.OnInput(Input::kKey);
    EXPECT_FALSE(rig.StepAt(7000));
    EXPECT_EQ(rig.textColor, RGB(0, 0, 0));
}
