#include <gtest/gtest.h>

#include "IntroTestSupport.h"

namespace {

using Phase = CIntro::Phase;
using Input = CIntro::Input;

// 1360 x 340 units: at 1024 x 768 the final logo has exactly 2 x 2 units a pixel.
const std::vector<BYTE>& Logo() {
    static const std::vector<BYTE> logo = SolidLogo(1360, 340);
    return logo;
}

// Lit columns of row y: first and one past the last.
std::pair<int, int> LitSpan(const IntroRig& rig, int y) {
    int first = -1;
    int last = -1;
    for (int x = 0; x < rig.surface.Width(); ++x) {
        if (rig.At(x, y) != 0) {
            first = first < 0 ? x : first;
            last = x + 1;
        }
    }
    return {first, last};
}

// Runs the undisturbed intro up to the given phase, stepping every 100 ms.
void RunToPhase(IntroRig& rig, Phase phase) {
    while (rig.intro.GetPhase() != phase) {
        ASSERT_TRUE(rig.StepAt(rig.host.now + 100));
    }
}

}  // namespace

TEST(IntroPlay, FirstStepHidesTheCursorClearsTheScreenAndDrawsTheSmallLogo) {
    IntroRig rig(1024, 768, 32, Logo());
    ASSERT_TRUE(rig.loaded);
    const RECT screen{0, 0, 1024, 768};
    CDC(rig.surface).FillRect(&screen, GetStockBrush(WHITE_BRUSH));
    EXPECT_TRUE(rig.StepAt(0));
    EXPECT_EQ(rig.host.cursorCount, -1);
    EXPECT_EQ(rig.intro.GetPhase(), Phase::kZoom);
    EXPECT_EQ(rig.At(0, 0), 0u);
    EXPECT_EQ(rig.At(1023, 767), 0u);
    // Half-width trunc(0.25 x 341) = 85 around x = 512.
    EXPECT_EQ(LitSpan(rig, 384), std::make_pair(427, 597));
    EXPECT_EQ(rig.At(512, 384), kLogoColor);
    // The next frame as soon as possible, inside the final logo's rectangle.
    EXPECT_EQ(rig.host.stepDelayMs, 0u);
    EXPECT_EQ(rig.host.stepRect, (RECT{172, 299, 852, 469}));
}

TEST(IntroPlay, ZoomGrowsCentredAndEndsAt680Pixels) {
    IntroRig rig(1024, 768, 32, Logo());
    int previousWidth = 0;
    for (std::uint32_t ms = 0; ms < 5000; ms += 100) {
        ASSERT_TRUE(rig.StepAt(ms));
        const auto [first, last] = LitSpan(rig, 384);
        EXPECT_EQ(first + last, 1024) << ms;  // centred at 512
        EXPECT_GE(last - first, previousWidth) << ms;
        previousWidth = last - first;
    }
    EXPECT_EQ(rig.intro.GetPhase(), Phase::kZoom);
    ASSERT_TRUE(rig.StepAt(5000));
    EXPECT_EQ(rig.intro.GetPhase(), Phase::kHoldAfterZoom);
    EXPECT_EQ(rig.intro.FinalLogoRect(), (RECT{172, 299, 852, 469}));
    EXPECT_EQ(LitSpan(rig, 384), std::make_pair(172, 852));
    EXPECT_EQ(LitSpan(rig, 299), std::make_pair(172, 852));
    EXPECT_EQ(LitSpan(rig, 468), std::make_pair(172, 852));
    EXPECT_EQ(rig.At(400, 298), 0u);
    EXPECT_EQ(rig.At(400, 469), 0u);
    // Inside full, outside black; the last column holds only one of its two units.
    EXPECT_EQ(rig.At(172, 384), kLogoColor);
    EXPECT_EQ(rig.At(850, 384), kLogoColor);
    EXPECT_EQ(rig.surface.Pixel(851, 384), rig.surface.DeviceValue(RGB(20, 33, 66)));
}

TEST(IntroPlay, SlowFramesCatchUpToTheEnd) {
    IntroRig rig(1024, 768, 32, Logo());
    ASSERT_TRUE(rig.StepAt(0));
    ASSERT_TRUE(rig.StepAt(750));  // 0.15 exactly: still zooming
    EXPECT_EQ(rig.intro.GetPhase(), Phase::kZoom);
    ASSERT_TRUE(rig.StepAt(1501));  // more than 0.15 further: jumps to the end
    EXPECT_EQ(rig.intro.GetPhase(), Phase::kHoldAfterZoom);
    EXPECT_EQ(LitSpan(rig, 384), std::make_pair(172, 852));
}

TEST(IntroPlay, PhasesFollowTheirDurations) {
    IntroRig rig(1024, 768, 32, Logo());
    ASSERT_TRUE(rig.StepAt(0));
    ASSERT_TRUE(rig.RunTo(5000));
    EXPECT_EQ(rig.intro.GetPhase(), Phase::kHoldAfterZoom);
    const RECT title{172, 477, 852, 493};
    EXPECT_EQ(rig.intro.TextBox(), title);
    EXPECT_EQ(rig.host.stepDelayMs, 1000u);  // the hold waits for its deadline
    EXPECT_EQ(rig.host.stepRect, title);

    ASSERT_TRUE(rig.StepAt(5999));
    EXPECT_EQ(rig.intro.GetPhase(), Phase::kHoldAfterZoom);
    EXPECT_EQ(rig.host.stepDelayMs, 1u);
    ASSERT_TRUE(rig.StepAt(6000));
    EXPECT_EQ(rig.intro.GetPhase(), Phase::kTitleFade);
    EXPECT_EQ(rig.textColor, RGB(0, 0, 0));
    EXPECT_EQ(rig.host.stepDelayMs, 16u);  // fades redraw at a steady rate

    ASSERT_TRUE(rig.StepAt(6750));
    EXPECT_EQ(rig.textColor, RGB(20, 33, 66));
    ASSERT_TRUE(rig.StepAt(7500));
    EXPECT_EQ(rig.textColor, kLogoColor);
    EXPECT_EQ(rig.intro.GetPhase(), Phase::kHoldAfterTitle);
    EXPECT_EQ(rig.host.stepDelayMs, 2500u);
    EXPECT_EQ(rig.host.stepRect, (RECT{172, 509, 852, 525}));

    ASSERT_TRUE(rig.StepAt(10000));
    EXPECT_EQ(rig.intro.GetPhase(), Phase::kCredit1Fade);
    EXPECT_EQ(rig.intro.TextBox(), (RECT{172, 509, 852, 525}));
    ASSERT_TRUE(rig.StepAt(11500));
    EXPECT_EQ(rig.intro.GetPhase(), Phase::kCredit2Fade);
    EXPECT_EQ(rig.intro.TextBox(), (RECT{172, 525, 852, 541}));
    ASSERT_TRUE(rig.StepAt(13000));
    EXPECT_EQ(rig.textColor, kLogoColor);
    EXPECT_EQ(rig.intro.GetPhase(), Phase::kHoldAfterCredits);
    EXPECT_EQ(rig.host.stepDelayMs, 5000u);
    EXPECT_EQ(rig.host.stepRect, (RECT{0, 0, 1024, 768}));  // the picture follows

    ASSERT_TRUE(rig.StepAt(17999));
    EXPECT_EQ(rig.host.cursorCount, -1);
    EXPECT_FALSE(rig.StepAt(18000));  // about 18 seconds in all
    EXPECT_EQ(rig.intro.GetPhase(), Phase::kDone);
    EXPECT_EQ(rig.host.cursorCount, 0);
    EXPECT_FALSE(rig.StepAt(18016));
    EXPECT_EQ(rig.host.cursorCount, 0);
}

TEST(IntroPlay, LateStepsMoveOnWithoutLookingForInput) {
    // A hold whose deadline has passed ends without a look at the input; the
    // fade that follows draws once and then finds the skip.
    IntroRig rig(1024, 768, 32, Logo());
    ASSERT_TRUE(rig.StepAt(0));
    ASSERT_TRUE(rig.RunTo(5000));
    rig.intro.OnInput(Input::kKey);
    EXPECT_FALSE(rig.StepAt(7000));
    EXPECT_EQ(rig.textColor, RGB(0, 0, 0));
}

TEST(IntroPlay, PaletteModeUsesTheRampPalette) {
    IntroRig rig(1024, 768, 8, Logo());
    ASSERT_TRUE(rig.StepAt(0));
    // The colour table holds palette indices 0..128.
    const auto info = rig.intro.BitmapInfo();
    for (int i = 0; i < 129; ++i) {
        const WORD index = static_cast<WORD>(info[40 + 2 * i] | (info[41 + 2 * i] << 8));
        EXPECT_EQ(index, i);
    }
    EXPECT_EQ(rig.At(512, 384), kLogoColor);
    EXPECT_EQ(rig.At(0, 0), 0u);
    ASSERT_TRUE(rig.RunTo(5000));
    ASSERT_TRUE(rig.StepAt(6000));
    EXPECT_EQ(rig.textColor, PALETTEINDEX(0));
    ASSERT_TRUE(rig.StepAt(7500));
    EXPECT_EQ(rig.textColor, PALETTEINDEX(128));
    // A late step starts the next phase late: the credit fade counts from 10000.
    ASSERT_TRUE(rig.StepAt(10000));
    EXPECT_EQ(rig.textColor, PALETTEINDEX(0));
    ASSERT_TRUE(rig.StepAt(10750));
    EXPECT_EQ(rig.textColor, PALETTEINDEX(64));
    // Destroying the intro mid-way is safe: its palette is never left selected.
}

TEST(IntroPlay, DirectColourTableIsTheRamp) {
    IntroRig rig(1024, 768, 32, Logo());
    ASSERT_TRUE(rig.StepAt(0));
    const auto info = rig.intro.BitmapInfo();
    for (int i = 0; i < 129; ++i) {
        const BYTE* quad = info.data() + 40 + 4 * i;
        EXPECT_EQ(quad[0], 132 * i / 128);  // blue
        EXPECT_EQ(quad[1], 66 * i / 128);
        EXPECT_EQ(quad[2], 40 * i / 128);
        EXPECT_EQ(quad[3], 0);
    }
}

TEST(IntroSkip, InputDuringTheZoomIsRememberedUntilTheFirstHold) {
    for (const Input input : {Input::kLeftButton, Input::kRightButton, Input::kKey}) {
        IntroRig rig(1024, 768, 32, Logo());
        ASSERT_TRUE(rig.StepAt(0));
        rig.intro.OnInput(input);
        EXPECT_EQ(rig.host.invalidations, 0);  // the zoom goes on undisturbed
        ASSERT_TRUE(rig.RunTo(4992));
        EXPECT_EQ(rig.intro.GetPhase(), Phase::kZoom);
        // The last zoom frame is drawn, then the hold finds the skip at once.
        EXPECT_FALSE(rig.StepAt(5000));
        EXPECT_EQ(LitSpan(rig, 384), std::make_pair(172, 852));
        EXPECT_EQ(rig.host.cursorCount, 0);
        EXPECT_EQ(rig.intro.PendingRightClicks(), 0u);
    }
}

TEST(IntroSkip, InputInEachLaterPhaseEndsTheIntroAtTheNextStep) {
    for (const Phase phase : {Phase::kHoldAfterZoom, Phase::kTitleFade, Phase::kHoldAfterTitle,
                              Phase::kCredit1Fade, Phase::kCredit2Fade, Phase::kHoldAfterCredits}) {
        IntroRig rig(1024, 768, 8, Logo());
        RunToPhase(rig, phase);
        const int invalidations = rig.host.invalidations;
        rig.intro.OnInput(Input::kLeftButton);
        EXPECT_EQ(rig.host.invalidations, invalidations + 1);  // a step comes soon
        EXPECT_FALSE(rig.StepAt(rig.host.now + 1)) << static_cast<int>(phase);
        EXPECT_EQ(rig.host.cursorCount, 0);
    }
}

TEST(IntroSkip, OneInputSkipsInTheOrderLeftRightKey) {
    IntroRig rig(1024, 768, 32, Logo());
    ASSERT_TRUE(rig.StepAt(0));
    rig.intro.OnInput(Input::kKey);
    rig.intro.OnInput(Input::kRightButton);
    rig.intro.OnInput(Input::kRightButton);
    rig.intro.OnInput(Input::kLeftButton);
    rig.intro.OnInput(Input::kLeftButton);
    EXPECT_FALSE(rig.RunTo(5000));
    // A left click skipped; the other left click is dropped; both right clicks stay.
    EXPECT_EQ(rig.intro.PendingRightClicks(), 2u);

    IntroRig rightFirst(1024, 768, 32, Logo());
    ASSERT_TRUE(rightFirst.StepAt(0));
    rightFirst.intro.OnInput(Input::kKey);
    rightFirst.intro.OnInput(Input::kRightButton);
    EXPECT_FALSE(rightFirst.RunTo(5000));
    EXPECT_EQ(rightFirst.intro.PendingRightClicks(), 0u);  // the right click skipped
}

TEST(IntroSkip, InputAfterTheEndIsIgnored) {
    IntroRig rig(1024, 768, 32, Logo());
    ASSERT_TRUE(rig.StepAt(0));
    rig.intro.OnInput(Input::kKey);
    EXPECT_FALSE(rig.RunTo(5000));
    const int invalidations = rig.host.invalidations;
    rig.intro.OnInput(Input::kRightButton);
    EXPECT_EQ(rig.intro.PendingRightClicks(), 0u);
    EXPECT_EQ(rig.host.invalidations, invalidations);
}

TEST(IntroPlay, StepsOnClippedContextsOnlyTouchTheirArea) {
    // A host may repaint only the area a step asked for.
    IntroRig rig(1024, 768, 32, Logo());
    ASSERT_TRUE(rig.StepAt(0));
    rig.host.now = 5000;
    CDC clipped(rig.surface, rig.host.stepRect);
    EXPECT_TRUE(rig.intro.Play(&clipped));
    EXPECT_EQ(LitSpan(rig, 384), std::make_pair(172, 852));
}
