// SPDX-License-Identifier: MIT
// The test window's self-check: the place the desktop gave the window against
// its monitor decides whether the program keeps it, asks again, covers the
// monitor itself or warns the user.
#include <gtest/gtest.h>

#include <tuple>

#include "desktop/CoverCheck.h"

namespace {

constexpr ScreenRect kMonitor{1280, 0, 1920, 1080};

TEST(CoverCheck, TheWindowSeenAgainstTheMonitorDecidesTheNextStep) {
    constexpr ScreenRect kFloating{1280, -10, 1920, 1080};
    constexpr ScreenRect kUnderBar{1280, 21, 1920, 1101};
    constexpr ScreenRect kOtherMonitor{0, 0, 1920, 1080};
    constexpr ScreenRect kLeftMonitor{0, 0, 1280, 1024};
    constexpr auto kKeep = CoverStep::kKeep, kAsk = CoverStep::kAskAgain,
                   kFall = CoverStep::kFallBack, kWarn = CoverStep::kWarn;
    const struct {
        ScreenRect window;
        bool mapped, fullScreen, managed, offers, canCover, covers;
        int requests;
        CoverStep step;
    } kCases[] = {
        // Before mapping: only a manager without the full-screen state is bypassed at once.
        {{}, false, false, true, false, true, false, 0, kFall},
        {{}, false, false, true, true, true, false, 0, kKeep},
        {{}, false, false, false, false, true, false, 0, kKeep},
        {{}, false, false, true, false, false, false, 0, kKeep},
        {{}, false, false, true, false, true, true, 0, kKeep},
        // Covered: kept, however it got there.
        {kMonitor, true, true, true, true, true, false, 0, kKeep},
        {kMonitor, true, true, true, true, true, false, 5, kKeep},
        {kMonitor, true, true, true, false, true, true, 0, kKeep},
        {kMonitor, true, true, false, false, false, false, 0, kKeep},
        // In place, but not yet full screen for a manager that offers it: it may still move it.
        {kMonitor, true, false, true, true, true, false, 0, kAsk},
        {kMonitor, true, false, true, true, true, false, kCoverRequests, kFall},
        {kMonitor, true, false, true, false, true, false, 0, kKeep},
        {kMonitor, true, false, false, false, false, false, 0, kKeep},
        // Floating, under a bar, on the wrong monitor: asked again, up to the limit.
        {kFloating, true, false, true, true, true, false, 0, kAsk},
        {kUnderBar, true, true, true, true, true, false, kCoverRequests - 1, kAsk},
        {kOtherMonitor, true, false, true, true, false, false, 1, kAsk},
        // On another monitor altogether, where the program can cover its own: no asking, which
        // would take the full-screen place of the window that belongs there.
        {kLeftMonitor, true, true, true, true, true, false, 0, kFall},
        {kLeftMonitor, true, false, true, true, true, false, 1, kFall},
        {{1280, 1080, 1920, 1080}, true, true, true, true, true, false, 0, kFall},
        {{0, 0, 1281, 1024}, true, false, true, true, true, false, 0, kAsk},
        // Asked enough, or nothing to ask: covered without the manager where the program can.
        {kUnderBar, true, false, true, true, true, false, kCoverRequests, kFall},
        {kFloating, true, false, true, false, true, false, 0, kFall},
        {kFloating, true, false, false, false, true, false, 0, kFall},
        // Nothing left: the user is told.
        {kUnderBar, true, false, true, true, false, false, kCoverRequests, kWarn},
        {kFloating, true, false, true, true, true, true, 0, kWarn},
        {kFloating, true, false, false, false, false, false, 0, kWarn},
        // One pixel off in any direction is not covered.
        {{1281, 0, 1920, 1080}, true, false, true, true, true, false, 0, kAsk},
        {{1280, 0, 1919, 1080}, true, false, true, true, true, false, 0, kAsk},
        {{1280, 0, 1920, 1081}, true, false, true, true, true, true, 0, kWarn},
    };
    for (const auto& c : kCases) {
        const CoverFacts facts{kMonitor, c.window,   c.mapped, c.fullScreen, c.managed,
                               c.offers, c.canCover, c.covers, c.requests};
        EXPECT_EQ(DecideCover(facts), c.step)
            << c.window.x << "," << c.window.y << " " << c.window.width << "x" << c.window.height
            << " mapped " << c.mapped << " full screen " << c.fullScreen << " managed " << c.managed
            << " offers " << c.offers << " can cover " << c.canCover << " covers " << c.covers
            << " requests " << c.requests;
    }
}

// A manager that took the covered window's place and gave it back when asked
// (i3 at each activation of the panel) is not asked again where the program
// can cover the monitor itself.
TEST(CoverCheck, AManagerThatKeepsTakingThePlaceIsAskedNoMore) {
    CoverFacts facts{kMonitor, {1280, 0, 1920, 1060}, true, false, true, true, true, false, 0};
    for (const auto& [losses, canCover, step] :
         {std::tuple{0, true, CoverStep::kAskAgain},
          std::tuple{kCoverLosses, true, CoverStep::kFallBack},
          std::tuple{kCoverLosses, false, CoverStep::kAskAgain}}) {
        facts.losses = losses;
        facts.canCoverItself = canCover;
        EXPECT_EQ(DecideCover(facts), step) << losses << " losses, can cover " << canCover;
    }
}

// A panel the manager shows off its monitor altogether is moved back, once
// each time it maps, unless the user left it there.
TEST(CoverCheck, APanelMappedOnAnotherMonitorIsMovedBack) {
    const struct {
        ScreenRect shown;
        bool leftByUser;
        int moves;
        bool move;
    } kCases[] = {
        {{2091, 454, 298, 172}, false, 0, false},  // centred, or in the manager's frame
        {{2093, 472, 298, 172}, false, 0, false},
        {{490, 425, 298, 172}, false, 0, true},  // on the output with the keyboard (i3)
        {{982, 454, 298, 172}, false, 0, true},  // beside its edge, or across it
        {{983, 454, 298, 172}, false, 0, false},
        {{3200, 0, 298, 172}, false, 0, true},
        {{2091, 1080, 298, 172}, false, 0, true},
        {{2091, -172, 298, 172}, false, 0, true},
        {{490, 425, 298, 172}, false, kPanelMoves, false},
        {{490, 425, 298, 172}, true, 0, false},
    };
    for (const auto& c : kCases) {
        EXPECT_EQ(PanelNeedsMove({kMonitor, c.shown, c.leftByUser, c.moves}), c.move)
            << c.shown.x << "," << c.shown.y << " left by the user " << c.leftByUser << " moves "
            << c.moves;
    }
}

// The warning names the monitor, where the window is and what the desktop did.
TEST(CoverCheck, TheWarningSaysWhatTheDesktopDid) {
    CoverFacts facts{kMonitor, {1280, 21, 1920, 1101}, true, true, true, true, true, false, 2};
    EXPECT_EQ(DescribeCoverFailure(facts),
              "the test window does not cover the monitor (1920x1080 at 1280,0): the desktop put "
              "it at 1920x1101 at 1280,21 after 2 full-screen requests; the picture is not shown "
              "pixel for pixel");
    facts.offersFullScreen = false;
    facts.coversItself = true;
    EXPECT_NE(DescribeCoverFailure(facts).find("offers no full-screen state, also as a window of "
                                               "its own outside the window manager"),
              std::string::npos);
}

}  // namespace
